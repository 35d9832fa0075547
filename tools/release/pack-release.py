#!/usr/bin/env python3
"""Packs the release: the .exe, the zip a user downloads, and their checksums.

    tools/release/pack-release.py EXE COM README VERSION EPOCH OUTDIR [NAME=VALUE ...]

Writes OUTDIR/veilux.exe, OUTDIR/veilux.com (the console twin that shells
wait for), OUTDIR/veilux-VERSION-win64.zip (both and README.txt) and
OUTDIR/SHA256SUMS. The zip is the same bytes every time for
the same inputs: fixed entry order, every entry dated EPOCH (the last
commit's time), fixed attributes, no extra fields.

With the build settings VEILUX_RELEASE_URL (the folder the zip is published
in), VEILUX_PACKAGE_ID, VEILUX_PUBLISHER, VEILUX_PACKAGE_NAME, VEILUX_LICENSE,
VEILUX_DESCRIPTION and VEILUX_SITE_HOST given as NAME=VALUE, it also writes
the package managers' manifests for that zip: winget's three files in
OUTDIR/winget/ and Scoop's OUTDIR/scoop/veilux.json.
"""
import hashlib
import json
import re
import shutil
import sys
import time
import zipfile
from pathlib import Path

WINGET_SCHEMA = "1.12.0"
# winget's rule for a PackageIdentifier: two to eight dot-separated parts.
WINGET_ID = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')


def entry(name, epoch):
    # Zip times have no zone and start in 1980; the commit's UTC time is used.
    stamp = time.gmtime(max(epoch, 315532800))
    info = zipfile.ZipInfo(name, date_time=stamp[:6])
    info.create_system = 0  # MS-DOS attributes, as Windows' own zips have
    info.external_attr = 0x20  # "archive", nothing else
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_winget(folder, version, zip_url, zip_sha256, settings, homepage):
    """The multi-file manifest, laid out as winget's own tools write it."""
    import yaml  # PyYAML: needed only for a release with manifests

    package = settings["VEILUX_PACKAGE_ID"]
    common = {"PackageIdentifier": package, "PackageVersion": version}
    files = {
        "version": (f"{package}.yaml", {"DefaultLocale": "en-US"}),
        "defaultLocale": (f"{package}.locale.en-US.yaml", {
            "PackageLocale": "en-US",
            "Publisher": settings["VEILUX_PUBLISHER"],
            "PublisherUrl": homepage.rsplit("/", 1)[0] + "/",
            "PackageName": settings["VEILUX_PACKAGE_NAME"],
            "PackageUrl": homepage,
            "License": settings["VEILUX_LICENSE"],
            "ShortDescription": settings["VEILUX_DESCRIPTION"],
        }),
        "installer": (f"{package}.installer.yaml", {
            "InstallerType": "zip",
            "NestedInstallerType": "portable",
            # The console twin: "veilux status" in a shell waits for it and gets its exit code.
            "NestedInstallerFiles": [{"RelativeFilePath": "veilux.com", "PortableCommandAlias": "veilux"}],
            "Installers": [{"Architecture": "x64", "InstallerUrl": zip_url, "InstallerSha256": zip_sha256.upper()}],
        }),
    }
    folder.mkdir()
    for kind, (name, fields) in files.items():
        body = {**common, **fields, "ManifestType": kind, "ManifestVersion": WINGET_SCHEMA}
        with open(folder / name, "w", encoding="utf-8", newline="\n") as out:
            schema = f"https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json"
            out.write(f"# yaml-language-server: $schema={schema}\n\n")
            yaml.safe_dump(body, out, sort_keys=False, allow_unicode=True, width=1000)


def write_scoop(folder, version, zip_url, zip_sha256, settings, homepage):
    """Scoop's manifest; its autoupdate finds the next release's zip and hash by the version alone."""
    github = re.match(r"^https://github\.com/[^/]+/[^/]+/", zip_url)
    manifest = {
        "version": version,
        "description": settings["VEILUX_DESCRIPTION"],
        "homepage": homepage,
        "license": settings["VEILUX_LICENSE"],
        # The zip holds a 64-bit program: Scoop offers it to 64-bit Windows only.
        "architecture": {"64bit": {"url": zip_url, "hash": zip_sha256}},
        "bin": "veilux.com",
        "shortcuts": [["veilux.exe", settings["VEILUX_PACKAGE_NAME"]]],
        # A running copy holds its files: it is ended as its Exit item would,
        # before an uninstall or the uninstall half of an update.
        "pre_uninstall": [
            "if (Get-Process -Name veilux -ErrorAction SilentlyContinue) { & \"$dir\\veilux.com\" exit | Out-Null }"
        ],
        # A release on GitHub is found through its releases; elsewhere the home page names the newest zip.
        "checkver": {"github": github.group(0)[:-1]} if github
        else {"url": homepage, "regex": r"veilux-([\d.]+)-win64\.zip"},
        "autoupdate": {"architecture": {"64bit": {
            "url": zip_url.replace(version, "$version"), "hash": {"url": "$baseurl/SHA256SUMS"}}}},
    }
    folder.mkdir()
    with open(folder / "veilux.json", "w", encoding="utf-8", newline="\n") as out:
        out.write(json.dumps(manifest, indent=4, ensure_ascii=False) + "\n")


def main(exe, com, readme, version, epoch, outdir, settings):
    out = Path(outdir)
    out.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(exe, out / "veilux.exe")
    shutil.copyfile(com, out / "veilux.com")

    # Windows line ends, so that every Notepad shows the lines.
    text = Path(readme).read_text(encoding="utf-8").replace("@VERSION@", version)
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")

    archive = out / f"veilux-{version}-win64.zip"
    with zipfile.ZipFile(archive, "w") as zf:
        for program in ("veilux.exe", "veilux.com"):
            zf.writestr(entry(program, epoch), (out / program).read_bytes(), compresslevel=9)
        zf.writestr(entry("README.txt", epoch), text.encode("utf-8"), compresslevel=9)

    with open(out / "SHA256SUMS", "w", newline="\n") as sums:
        for path in (out / "veilux.exe", out / "veilux.com", archive):
            sums.write(f"{hashlib.sha256(path.read_bytes()).hexdigest()}  {path.name}\n")

    release_url = settings.get("VEILUX_RELEASE_URL", "")
    if release_url:
        if not WINGET_ID.match(settings["VEILUX_PACKAGE_ID"]):
            sys.exit(f"VEILUX_PACKAGE_ID {settings['VEILUX_PACKAGE_ID']!r} is not Publisher.Package, as winget wants")
        zip_url = release_url.rstrip("/") + "/" + archive.name
        zip_sha256 = hashlib.sha256(archive.read_bytes()).hexdigest()
        homepage = f"https://{settings['VEILUX_SITE_HOST']}/vx"
        write_winget(out / "winget", version, zip_url, zip_sha256, settings, homepage)
        write_scoop(out / "scoop", version, zip_url, zip_sha256, settings, homepage)


if __name__ == "__main__":
    if len(sys.argv) < 7 or not all("=" in arg for arg in sys.argv[7:]):
        sys.exit(__doc__.strip())
    main(*sys.argv[1:5], int(sys.argv[5]), sys.argv[6], dict(arg.split("=", 1) for arg in sys.argv[7:]))
