"""fetch_latest_release under Wine against the local release service."""
import contextlib
import datetime
import json
import shutil
import unittest

from orvane_release import certificates, service, signing
from orvane_release import build as release_builder
from support import probe, runner, winebench

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "release-server"
CERTS = winebench.BUILD_DIR / "tests" / "certs"
API_PATH = "/api/v1/public/software/orvane_browser_150/latest?channel=stable"
Package = release_builder.Package


STATE_KEY = r"HKCU\Software\Orvane"


def forget_taken_answers(software_id, channel="stable"):
    """Removes what this user's signed builds remember having taken for the product and channel,
    as a new Windows account or a reset profile has nothing."""
    for value in (f"Release Sequence {software_id} {channel}", f"Release Key Sequence {software_id}"):
        winebench.run_wine(["reg", "delete", STATE_KEY, "/v", value, "/f"])


class FetchLatestRelease(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        cls.stack = contextlib.ExitStack()
        cls.http = cls.stack.enter_context(service.ReleaseServer(SERVER_ROOT))
        cls.https = cls.stack.enter_context(service.ReleaseServer(
            SERVER_ROOT, tls=certificates.make_certificate(CERTS, "other-host")))

    @classmethod
    def tearDownClass(cls):
        cls.stack.close()

    def setUp(self):
        self.http.clear_requests()
        self.https.clear_requests()

    def test_release_read_whole_over_https_with_or_without_trailing_slash(self):
        manifest = release_builder.build_release(SERVER_ROOT, self.https.url, "150.0.7 测试", [
            Package("chrome.exe", content=b"MZ browser"),
            Package("locales/zh-CN.pak", files={"locales/zh-CN.pak": b"zh", "locales/en.pak": b"en"},
                    compressed=True),
            Package("orvane-config.json", content=b'{"version":"150"}', checksum_sha256=""),
        ], changelog="修复若干问题", min_os_version="10.0.17763")
        results = probe.run([{"op": "fetch_release", "base_url": self.https.url},
                             {"op": "fetch_release", "base_url": self.https.url + "/"}])
        for result in results:
            self.assertTrue(result["ok"])
            self.assertEqual(result["release"], manifest)  # every member, order and value
        self.assertEqual([path for _, path, _ in self.https.requests()], [API_PATH, API_PATH])

    def test_answers_that_yield_nothing(self):
        cases = {
            "not JSON": b"<html>maintenance</html>",
            "JSON but not an object": b'["1.2.3"]',
            "empty version": b'{"version":"","files":[]}',
            "version wrapped in data": b'{"data":{"version":"1.2.3"}}',
        }
        for label, body in cases.items():
            with self.subTest(label):
                release_builder.write_manifest(SERVER_ROOT, body)
                self.assertFalse(probe.one({"op": "fetch_release", "base_url": self.http.url})["ok"])

    def test_transport_failures_yield_nothing(self):
        release_builder.write_manifest(SERVER_ROOT, {"version": "1.2.3"})
        cases = {
            "500": self.http.url + "/_fault/status=500",
            "404": self.http.url + "/_fault/status=404",
            "service down": "http://127.0.0.1:1",
        }
        results = probe.run([{"op": "fetch_release", "base_url": url} for url in cases.values()])
        for label, result in zip(cases, results):
            with self.subTest(label):
                self.assertFalse(result["ok"])

    def test_a_huge_well_formed_answer_is_a_failed_query_in_bounded_memory(self):
        # 64 MiB of empty arrays: parsed whole it would take gigabytes of documents.
        count = 64 * 1024 * 1024 // 3
        release_builder.write_manifest(SERVER_ROOT, b"[" + b"[]," * count + b"[]]")
        fetched, memory = probe.run([{"op": "fetch_release", "base_url": self.http.url},
                                     {"op": "memory"}])
        self.assertFalse(fetched["ok"])
        self.assertLess(memory["peak_working_set"], 64 * 1024 * 1024)

    def test_minimal_release_takes_the_defaults(self):
        release_builder.write_manifest(SERVER_ROOT, b'{"version":"1.2.3"} and trailing text')
        result = probe.one({"op": "fetch_release", "base_url": self.http.url})
        self.assertTrue(result["ok"])
        self.assertEqual(result["release"], {"version": "1.2.3", "changelog": "", "channel": "stable",
                                             "min_os_version": "", "files": []})

    def test_a_build_that_verifies_certificates_needs_a_trusted_authority(self):
        """The probe built as a shipping build talks to the network (certificates verified, and a
        release key) installs through the install worker: refused by every certificate it cannot
        verify, with nothing fetched, until the prefix trusts the authority that issued the
        service's."""
        issued = self.stack.enter_context(service.ReleaseServer(
            SERVER_ROOT, tls=certificates.make_certificate(CERTS, "ca-issued")))
        self_signed = self.stack.enter_context(service.ReleaseServer(
            SERVER_ROOT, tls=certificates.make_certificate(CERTS, "localhost")))
        # Wine 8 matches a host name to a certificate, not an IP address: the name it holds.
        url = lambda server: server.url.replace("127.0.0.1", "localhost")  # noqa: E731
        host = winebench.BUILD_DIR / "tests" / "verified-install"
        release_builder.build_release(SERVER_ROOT, url(issued), "1.0", [
            Package("chrome.exe", content=b"MZ verified browser")], key=probe.RELEASE_KEY)

        def install(server):
            shutil.rmtree(host, ignore_errors=True)
            for each in (issued, self_signed):
                each.clear_requests()
            result = probe.one({"op": "run_install", "thread": True, "base_url": url(server),
                                "install_dir": winebench.windows_path(host)}, verified=True)
            return result["calls"][-1], server.requests(), sorted(p.name for p in host.glob("*"))

        refused = ({"call": "error", "value": "无法获取版本信息：服务器证书未通过验证"}, [], [])
        self.assertEqual(install(issued), refused)
        self.assertEqual(probe.one({"op": "get", "url": url(issued) + API_PATH}, verified=True)["last_error"],
                         "secure connection failed")
        with winebench.trusted_ca(certificates.ca_certificate(CERTS)[0]):
            self.assertEqual(install(self_signed), refused)  # no authority issued it
            last, requests, files = install(issued)
            self.assertEqual(last, {"call": "status", "value": "安装完成！点击「启动浏览器」开始使用。"})
            self.assertEqual([path for _, path, _ in requests][0], API_PATH)
            self.assertIn("chrome.exe", files)
            self.assertEqual((host / "chrome.exe").read_bytes(), b"MZ verified browser")
            # Nothing is ignored, for the answer as for the packages.
            flags = probe.run([{"op": "get", "url": url(issued) + API_PATH},
                               {"op": "download", "url": url(issued) + API_PATH,
                                "path": winebench.windows_path(host / "answer.json")}], verified=True)
            self.assertEqual([(r["ok"], r["security_flags"] & 0xFF00) for r in flags], [(True, 0), (True, 0)])
        self.assertEqual(install(issued), refused)

    def test_online_keys_a_root_certified_sign_until_a_newer_certificate_revokes_them(self):
        """The probe trusts the bench's key as its root R; online keys B (key sequence 1) and C (2)
        sign answers with R's certificates. Each answer is fetched through the real query, whose
        marks stay in the registry from one step to the next, and judged alike by the tool."""
        software_id = "orvane_keys_test"  # marks of its own, apart from the other tests'
        keys = SERVER_ROOT.parent / "online-keys"
        shutil.rmtree(keys, ignore_errors=True)
        keys.mkdir(parents=True)
        key = {name: keys / f"{name}.pem" for name in ("B", "C", "N")}
        public = {name: signing.generate_key(path) for name, path in key.items()}
        root = signing.public_key_text(probe.RELEASE_KEY)
        later = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(days=30)
        certificates = {
            "B": signing.certify(probe.RELEASE_KEY, public["B"], 1, later, software_id),
            "B expired": signing.certify(probe.RELEASE_KEY, public["B"], 1, "2020-01-01T00:00:00Z", software_id),
            "B by N": signing.certify(key["N"], public["B"], 1, later, software_id),
            "C": signing.certify(probe.RELEASE_KEY, public["C"], 2, later, software_id),
        }
        answer = SERVER_ROOT / "api" / software_id / "stable.json"
        taken = [0, -1]  # what the program should have taken so far, for the tool's judgement

        def step(label, signer, certificate=None, refusal=None, key_sequence=None, **options):
            with self.subTest(label):
                release_builder.build_release(SERVER_ROOT, self.https.url, label, [
                    Package("chrome.exe", content=b"MZ " + label.encode())], software_id=software_id,
                    key=key[signer] if signer != "R" else probe.RELEASE_KEY,
                    certificate=certificates.get(certificate), **options)
                body = answer.read_bytes()
                judged = signing.judge(body, answer.with_name("stable.json.sig").read_text().strip(), [root],
                                       software_id=software_id, certificate=certificates.get(certificate),
                                       taken=tuple(taken))
                self.assertEqual(judged, (refusal, key_sequence))
                fetched = probe.one({"op": "fetch_release", "base_url": self.https.url,
                                     "software_id": software_id}, signed=True)
                self.assertEqual(fetched.get("why"), refusal)
                if refusal is None:
                    self.assertEqual(fetched["release"]["version"], label)
                    taken[:] = [key_sequence, json.loads(body)["sequence"]]

        forget_taken_answers(software_id)
        step("signed by B with R's certificate", "B", "B", key_sequence=1)
        step("B's certificate expired", "B", "B expired", "key certificate expired")
        step("B certified by N, no root", "B", "B by N", "key not certified by a root key")
        step("signed by C, key sequence 2", "C", "C", key_sequence=2)
        step("signed by B once C's was taken", "B", "B", "key revoked by a newer certificate")
        step("signed by R itself", "R", key_sequence=2)
        # A leaked B raised the sequence as far as it goes; C's ordinary answers are taken.
        forget_taken_answers(software_id)
        taken[:] = [0, -1]
        step("B at 2^53", "B", "B", key_sequence=1, extra={"sequence": 2 ** 53})
        step("C after B's 2^53", "C", "C", key_sequence=2)
        step("R after C", "R", key_sequence=2)

    def test_a_signed_build_installs_and_updates_only_what_its_key_signed(self):
        """The probe built with a key against answers of the release tool: each answer is judged
        the same by the tool's verify and by the program, and a refused one downloads nothing."""
        other_key = SERVER_ROOT.parent / "another-release-key.pem"
        other_key.unlink(missing_ok=True)
        signing.generate_key(other_key)
        public = signing.public_key_text(probe.RELEASE_KEY)
        now = datetime.datetime.now(datetime.timezone.utc)
        answer = SERVER_ROOT / "api" / release_builder.DEFAULT_SOFTWARE_ID / "stable.json"
        host = winebench.BUILD_DIR / "tests" / "signed-install"
        shutil.rmtree(host, ignore_errors=True)
        host.mkdir(parents=True)

        def release(version, key=probe.RELEASE_KEY, checksum=None, **options):
            release_builder.build_release(SERVER_ROOT, self.https.url, version, [
                Package("chrome.exe", content=b"MZ browser " + version.encode()),
                Package("locales/zh-CN.pak", files={"locales/zh-CN.pak": b"zh " + version.encode()},
                        compressed=True, checksum_sha256=checksum),
            ], key=key, **options)

        def changed_after_signing():
            release("1.0")
            body = bytearray(answer.read_bytes())
            body[body.index(b"1.0")] = ord("9")
            answer.write_bytes(bytes(body))

        def another_channel():  # a valid answer of the beta channel, served for stable
            release("1.0", channel="beta")
            for name in ("stable.json", "stable.json.sig"):
                answer.with_name(name).write_bytes(answer.with_name(name.replace("stable", "beta")).read_bytes())

        cases = [  # (label, how the answer is made, the refusal)
            ("unsigned", lambda: release("1.0", key=None, expires=now + datetime.timedelta(days=1)),
             "no signature"),
            ("one byte changed after signing", changed_after_signing, "bad signature"),
            ("signed by another key", lambda: release("1.0", key=other_key), "bad signature"),
            ("signature not base64", lambda: (release("1.0"), answer.with_name("stable.json.sig")
                                              .write_text("not base64!")), "malformed signature"),
            ("expired", lambda: release("1.0", expires=now - datetime.timedelta(seconds=5)), "expired"),
            ("an empty checksum", lambda: release("1.0", checksum=""), "empty checksum"),
            ("another channel", another_channel, "another product or channel"),
            ("signed", lambda: release("1.0"), None),
        ]
        for label, make, refusal in cases:
            with self.subTest(label):
                make()
                signature = answer.with_name("stable.json.sig")
                signature = signature.read_text().strip() if signature.exists() else None
                self.assertEqual(signing.verify(answer.read_bytes(), signature, public), refusal)
                self.https.clear_requests()
                result = probe.one({"op": "run_install", "base_url": self.https.url,
                                    "install_dir": winebench.windows_path(host)}, signed=True)
                if refusal:
                    self.assertEqual(result, {"fetched": False, "why": refusal})
                    self.assertEqual([path for _, path, _ in self.https.requests()], [API_PATH])
                else:
                    self.assertEqual(result["calls"][-2], {"call": "state", "value": 2})
                    self.assertEqual((host / "chrome.exe").read_bytes(), b"MZ browser 1.0")
        older = {name: answer.with_name(name).read_bytes() for name in ("stable.json", "stable.json.sig")}
        release("2.0")
        newer_sequence = json.loads(answer.read_bytes())["sequence"]
        result = probe.one({"op": "run_update", "base_url": self.https.url,
                            "install_dir": winebench.windows_path(host)}, signed=True)
        self.assertEqual(result["calls"][-2], {"call": "state", "value": 2})
        self.assertEqual((host / "locales" / "zh-CN.pak").read_bytes(), b"zh 2.0")
        # 1.0's answer, valid on its own, replayed once 2.0's was taken: a failed query.
        for name, data in older.items():
            answer.with_name(name).write_bytes(data)
        self.assertIsNone(signing.verify(older["stable.json"], older["stable.json.sig"].decode().strip(), public))
        self.https.clear_requests()
        result = probe.one({"op": "run_update", "base_url": self.https.url,
                            "install_dir": winebench.windows_path(host)}, signed=True)
        self.assertEqual(result, {"fetched": False, "why": "older than an answer already taken"})
        self.assertEqual([path for _, path, _ in self.https.requests()], [API_PATH])
        self.assertEqual((host / "locales" / "zh-CN.pak").read_bytes(), b"zh 2.0")
        # The installation remembers what it took: without this user's record (a new account, a
        # reset profile) the replay is refused all the same.
        installed = json.loads((host / "orvane-version.json").read_bytes())
        self.assertEqual((installed["sequence"], installed["key_sequence"]), (newer_sequence, 0))
        forget_taken_answers(release_builder.DEFAULT_SOFTWARE_ID)
        before = {p: p.read_bytes() for p in host.rglob("*") if p.is_file()}
        self.https.clear_requests()
        result = probe.one({"op": "run_update", "base_url": self.https.url,
                            "install_dir": winebench.windows_path(host)}, signed=True)
        self.assertEqual(result, {"fetched": False, "why": "older than an answer already taken"})
        self.assertEqual([path for _, path, _ in self.https.requests()], [API_PATH])
        self.assertEqual({p: p.read_bytes() for p in host.rglob("*") if p.is_file()}, before)
        # An install is a new installation: bounded by the answer's expiry alone.
        fresh = host.with_name("signed-install-fresh")
        shutil.rmtree(fresh, ignore_errors=True)
        result = probe.one({"op": "run_install", "base_url": self.https.url,
                            "install_dir": winebench.windows_path(fresh)}, signed=True)
        self.assertEqual(result["calls"][-2], {"call": "state", "value": 2})
        # A build without a key takes the signed answer as any other.
        self.assertTrue(probe.one({"op": "fetch_release", "base_url": self.https.url})["ok"])


if __name__ == "__main__":
    runner.main()
