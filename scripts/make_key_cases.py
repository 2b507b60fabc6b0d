"""Writes the "key_cases" of release_answers.json: answers signed by root keys and by online keys
they certified, each with what a signed build had taken before and what it must decide. Keys are
made afresh each time and thrown away (only their public halves stay in the table); the
signatures of the rows stay valid, so the rows are made once and committed.

    python3 scripts/make_key_cases.py
"""
import json
import pathlib
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[1]
TABLE = ROOT / "tests" / "rules" / "release_answers.json"
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from orvane_release import signing  # noqa: E402

SOFTWARE_ID = "orvane_browser_150"
VALID_UNTIL, EXPIRED_AT = "2031-01-01T00:00:00Z", "2029-12-31T23:59:59Z"  # the table's now: 2030


def answer(sequence, version="2"):
    return json.dumps({"version": version, "expires": "2030-06-01T00:00:00Z", "software_id": SOFTWARE_ID,
                       "sequence": sequence, "files": [
                           {"file_path": "a.dll", "download_url": "https://r.example/files/a",
                            "checksum_sha256": "ab", "zip_checksum": "cd", "file_size": 5}]})


def main():
    with tempfile.TemporaryDirectory() as folder:
        keys = {}
        for name in ("R", "R2", "B", "C", "N"):
            path = pathlib.Path(folder, name)
            keys[name] = (path, signing.generate_key(path))
        path, public = (lambda name: keys[name][0]), (lambda name: keys[name][1])

        def certificate(key, by="R", key_sequence=1, expires=VALID_UNTIL, software_id=SOFTWARE_ID):
            return signing.certify(path(by), public(key), key_sequence, expires, software_id)

        def changed_document(text):
            document, _, signature = text.partition(".")
            members = json.loads(signing.base64.b64decode(document))
            members["key_sequence"] = 3
            return signing.base64.b64encode(json.dumps(members).encode()).decode() + "." + signature

        rows = [
            # (name, roots, signer, sequence, certificate, taken, refusal, key sequence taken under)
            ("by online key B (key sequence 1) with R's certificate", ["R"], "B", 10, certificate("B"),
             [0, -1], None, 1),
            ("B's certificate expired", ["R"], "B", 10, certificate("B", expires=EXPIRED_AT), [0, -1],
             "key certificate expired", None),
            ("B certified by a key that is no root", ["R"], "B", 10, certificate("B", by="N"), [0, -1],
             "key not certified by a root key", None),
            ("B's certificate changed after R signed it", ["R"], "B", 10, changed_document(certificate("B")),
             [0, -1], "key not certified by a root key", None),
            ("B's answer after C's (key sequence 2) was taken", ["R"], "B", 2000, certificate("B"),
             [2, 1000], "key revoked by a newer certificate", None),
            ("R's own answer after C's was taken", ["R"], "R", 1001, None, [2, 1000], None, 2),
            ("R's own answer older than C's taken", ["R"], "R", 999, None, [2, 1000],
             "older than an answer already taken", None),
            ("C's ordinary answer after B raised the sequence to 2^53", ["R"], "C", 1001,
             certificate("C", key_sequence=2), [1, 2 ** 53], None, 2),
            ("B's answer older than B's taken", ["R"], "B", 5, certificate("B"), [1, 6],
             "older than an answer already taken", None),
            ("B's certificate for another product", ["R"], "B", 10,
             certificate("B", software_id="orvane_beta"), [0, -1], "another product or channel", None),
            ("a certificate that is no certificate", ["R"], "B", 10, "not a certificate", [0, -1],
             "malformed key certificate", None),
            ("B's answer without its certificate", ["R"], "B", 10, None, [0, -1], "bad signature", None),
            ("B's answer with C's certificate", ["R"], "B", 10, certificate("C", key_sequence=2), [0, -1],
             "bad signature", None),
            ("R's answer beside a stale certificate", ["R"], "R", 10, certificate("B"), [0, -1], None, 0),
            ("signed by the second root key", ["R", "R2"], "R2", 10, None, [0, -1], None, 0),
            ("B certified by the second root key", ["R", "R2"], "B", 10, certificate("B", by="R2"), [0, -1],
             None, 1),
        ]
        cases = []
        for name, roots, signer, sequence, certified, taken, refusal, key_sequence in rows:
            body = answer(sequence)
            cases.append({"name": name, "roots": [public(root) for root in roots], "body": body,
                          "signature": signing.sign(body.encode(), path(signer)), "certificate": certified,
                          "taken": taken, "refusal": refusal, "key_sequence": key_sequence})
    table = json.loads(TABLE.read_text("utf-8"))
    table["key_cases_about"] = (
        "Answers with their signature and key certificate as a signed build judges them, built with "
        "`roots`, having taken `taken` [key sequence, sequence] for the channel (and that key sequence "
        "for the product): the refusal, or null and the key sequence the answer is taken under. Made by "
        "make_key_cases.py; read by tests/net/release_signature_test.cpp and tools/test_orvane_release.py.")
    table["key_cases"] = cases
    TABLE.write_text(json.dumps(table, indent=1, ensure_ascii=False) + "\n", "utf-8")


if __name__ == "__main__":
    main()
