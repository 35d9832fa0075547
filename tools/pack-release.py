#!/usr/bin/env python3
"""Packs the release: the .exe, the zip a user downloads, and their checksums.

    tools/pack-release.py EXE README VERSION EPOCH OUTDIR

Writes OUTDIR/veilux.exe, OUTDIR/veilux-VERSION-win64.zip (veilux.exe and
README.txt) and OUTDIR/SHA256SUMS. The zip is the same bytes every time for
the same inputs: fixed entry order, every entry dated EPOCH (the last
commit's time), fixed attributes, no extra fields.
"""
import hashlib
import shutil
import sys
import time
import zipfile
from pathlib import Path


def entry(name, epoch):
    # Zip times have no zone and start in 1980; the commit's UTC time is used.
    stamp = time.gmtime(max(epoch, 315532800))
    info = zipfile.ZipInfo(name, date_time=stamp[:6])
    info.create_system = 0  # MS-DOS attributes, as Windows' own zips have
    info.external_attr = 0x20  # "archive", nothing else
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main(exe, readme, version, epoch, outdir):
    out = Path(outdir)
    out.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(exe, out / "veilux.exe")

    # Windows line ends, so that every Notepad shows the lines.
    text = Path(readme).read_text(encoding="utf-8").replace("@VERSION@", version)
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")

    archive = out / f"veilux-{version}-win64.zip"
    with zipfile.ZipFile(archive, "w") as zf:
        zf.writestr(entry("veilux.exe", epoch), (out / "veilux.exe").read_bytes(), compresslevel=9)
        zf.writestr(entry("README.txt", epoch), text.encode("utf-8"), compresslevel=9)

    with open(out / "SHA256SUMS", "w", newline="\n") as sums:
        for path in (out / "veilux.exe", archive):
            sums.write(f"{hashlib.sha256(path.read_bytes()).hexdigest()}  {path.name}\n")


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__.strip())
    main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), sys.argv[5])
