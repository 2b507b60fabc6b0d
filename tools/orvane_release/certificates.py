"""TLS certificates for the local release service, made with the openssl tool: a self-signed
one of four kinds (each with one defect a client may or may not forgive), and one issued by a
test certificate authority that a verifying client takes once it trusts that authority. `serve`
makes its own with the "localhost" kind."""
import dataclasses
import datetime
import os
import pathlib
import subprocess
import tempfile

OPENSSL = "openssl"
VALID_DAYS = 3650
# A valid certificate starts a day early, so a clock a little behind still accepts it.
VALID_LEEWAY = datetime.timedelta(days=1)
EXPIRED_START = "20200101000000Z"
EXPIRED_END = "20210101000000Z"


@dataclasses.dataclass(frozen=True)
class CertKind:
    subject: str
    subject_alt_name: str
    key_usage: str
    extended_key_usage: str
    expired: bool = False
    issued_by_ca: bool = False  # by the directory's test certificate authority, not by itself


# Kinds sharing the host name differ in OU, so that no certificate names another as issuer.
CERT_KINDS = {
    "localhost": CertKind("/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                          "critical,digitalSignature,keyEncipherment", "serverAuth"),
    "other-host": CertKind("/CN=other.example", "DNS:other.example",
                           "critical,digitalSignature,keyEncipherment", "serverAuth"),
    "expired": CertKind("/OU=expired/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                        "critical,digitalSignature,keyEncipherment", "serverAuth", expired=True),
    # The key itself may sign and encipher (TLS still works); only the extended usage is wrong,
    # which is what a client's "wrong usage" certificate error is about.
    "wrong-usage": CertKind("/OU=wrong-usage/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                            "critical,digitalSignature,keyEncipherment", "clientAuth"),
    # What a client that verifies certificates takes once it trusts the test CA (ca_certificate):
    # addressed as https://localhost:<port> (Wine 8 does not match an IP address to a certificate).
    "ca-issued": CertKind("/OU=ca-issued/CN=localhost", "DNS:localhost,IP:127.0.0.1",
                          "critical,digitalSignature,keyEncipherment", "serverAuth", issued_by_ca=True),
}
CA_SUBJECT = "/O=Orvane test bench/CN=Orvane Test CA"

# `openssl ca` is used because OpenSSL 3.0 has no other way to give a certificate dates in
# the past (x509 -not_before/-not_after arrived in 3.2).
CA_CONFIG = """\
[ ca ]
default_ca = test_ca

[ test_ca ]
database = {work}/index.txt
new_certs_dir = {work}
rand_serial = yes
default_md = sha256
policy = policy_any
unique_subject = no
email_in_dn = no
copy_extensions = none

[ policy_any ]
organizationalUnitName = optional
commonName = supplied

[ req ]
distinguished_name = req_dn

[ req_dn ]

[ server_ext ]
basicConstraints = critical,CA:FALSE
subjectKeyIdentifier = hash
keyUsage = {kind.key_usage}
extendedKeyUsage = {kind.extended_key_usage}
subjectAltName = {kind.subject_alt_name}

[ ca_ext ]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
"""
CA_KIND = CertKind(CA_SUBJECT, "", "", "")


def _asn1_time(moment):
    return moment.strftime("%Y%m%d%H%M%SZ")


def make_certificate(directory, kind):
    """(cert_path, key_path) of an RSA 2048 certificate of the given kind (a key of
    CERT_KINDS), self-signed or issued by the directory's test CA, made with the openssl tool
    once per directory and kind."""
    wanted = CERT_KINDS[kind]
    issuer = ca_certificate(directory) if wanted.issued_by_ca else None
    return _make(pathlib.Path(directory), kind, wanted, "server_ext", issuer)


def ca_certificate(directory):
    """(cert_path, key_path) of the test certificate authority kept in directory (made once),
    which issues the "ca-issued" kind. A client trusts it only when told to."""
    return _make(pathlib.Path(directory), "test-ca", CA_KIND, "ca_ext", None)


def _make(directory, name, wanted, extensions, issuer):
    cert, key = directory / f"{name}.cert.pem", directory / f"{name}.key.pem"
    if cert.is_file() and key.is_file():
        return cert, key
    directory.mkdir(parents=True, exist_ok=True)
    if wanted.expired:
        start, end = EXPIRED_START, EXPIRED_END
    else:
        now = datetime.datetime.now(datetime.timezone.utc)
        start = _asn1_time(now - VALID_LEEWAY)
        end = _asn1_time(now + datetime.timedelta(days=VALID_DAYS))
    with tempfile.TemporaryDirectory(dir=directory) as work:
        config = pathlib.Path(work, "ca.cnf")
        config.write_text(CA_CONFIG.format(work=work, kind=wanted))
        pathlib.Path(work, "index.txt").write_text("")
        _openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-config", config,
                 "-subj", wanted.subject, "-keyout", f"{work}/key.pem", "-out", f"{work}/req.csr")
        signer = ["-selfsign", "-keyfile", f"{work}/key.pem"] if issuer is None else \
            ["-cert", issuer[0], "-keyfile", issuer[1]]
        _openssl("ca", "-batch", "-config", config, *signer, "-preserveDN", "-notext",
                 "-in", f"{work}/req.csr", "-out", f"{work}/cert.pem",
                 "-startdate", start, "-enddate", end, "-extensions", extensions)
        if issuer is not None:
            # The server sends its chain: its own certificate, then the CA's.
            with open(f"{work}/cert.pem", "ab") as chain:
                chain.write(pathlib.Path(issuer[0]).read_bytes())
        # The certificate goes last: its presence means the pair is complete.
        os.replace(f"{work}/key.pem", key)
        os.replace(f"{work}/cert.pem", cert)
    return cert, key


def _openssl(*args):
    result = subprocess.run([OPENSSL, *map(str, args)], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"openssl {args[0]} failed: {result.stderr.strip()}")
