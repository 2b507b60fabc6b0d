"""SHA-256 as the release answer writes it (lowercase hex), of a stream or a file, read in
chunks so that a package of any size is hashed in little memory."""
import hashlib

HASH_CHUNK = 1024 * 1024


def sha256_stream(stream):
    """Of what a binary stream holds from where it stands."""
    digest = hashlib.sha256()
    while chunk := stream.read(HASH_CHUNK):
        digest.update(chunk)
    return digest.hexdigest()


def sha256_file(path):
    with open(path, "rb") as stream:
        return sha256_stream(stream)


def sha256_hex(data_or_path):
    """SHA-256 (lowercase hex) of bytes, or of a file's content when given a path."""
    if isinstance(data_or_path, (bytes, bytearray, memoryview)):
        return hashlib.sha256(data_or_path).hexdigest()
    return sha256_file(data_or_path)
