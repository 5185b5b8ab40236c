#!/usr/bin/env python3
"""The Debian package of VYLCD Studio, built by cpack from the build tree and
checked without installing it: its control fields, its files, and its
programs run from the unpacked tree. The machine is never changed; the
package and the unpacked tree stay in WORK for a look after a failure.

usage: check_deb_package.py --cpack CPACK --config CPackConfig.cmake
                            --work WORK --version VERSION --libdir LIBDIR
                            [unittest options]
Exits 77 (skipped) when the packaging tools are missing."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

SKIPPED = 77
TOOLS = ["dpkg-deb", "dpkg-shlibdeps", "dpkg-query", "file", "readelf", "ldd"]
PACKAGE = "vylcd-studio"
SHARE = "usr/share/vylcd-studio"
# What an installed studio reads: found from /usr/bin/../share/vylcd-studio.
SHIPPED_FILES = [
    "usr/bin/vylcd-studio",
    "usr/bin/vylcd-cli",
    "usr/bin/vylcd-lcdsim",
    SHARE + "/global_data/txt/manual.txt",
    SHARE + "/global_data/txt/manual_en.txt",
    SHARE + "/template/sys100/_showcase.tpl",
    SHARE + "/samples/showcase.vyd",
    SHARE + "/translations/vylcd_en.qm",
    "usr/share/applications/vylcd-studio.desktop",
    "usr/share/icons/hicolor/scalable/apps/vylcd-studio.svg",
]
# Linked, so dpkg-shlibdeps must have named them.
LINKED = ["libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"]
# Loaded at run time without being linked.
LOADED = ["qt6-qpa-plugins", "qt6-translations-l10n", "fonts-nanum", "unifont"]

ARGS = None


def run(command, env=None, check=True):
    result = subprocess.run(command, capture_output=True, text=True, env=env, timeout=120)
    if check and result.returncode != 0:
        raise AssertionError(f"{command} ended with {result.returncode}:\n{result.stderr}")
    return result


class Built:
    """The package made once for every case, and its unpacked tree."""
    deb = ""
    root = ""


def library():
    """The shared library's path in the package, under the install's lib folder."""
    return os.path.join("usr", ARGS.libdir, "libVyEdit.so")


def setUpModule():
    out = os.path.join(ARGS.work, "out")
    shutil.rmtree(ARGS.work, ignore_errors=True)
    os.makedirs(out)
    run([ARGS.cpack, "-G", "DEB", "--config", ARGS.config, "-B", out])
    debs = [name for name in os.listdir(out) if name.endswith(".deb")]
    if len(debs) != 1:
        raise AssertionError(f"cpack made {debs} in {out}")
    Built.deb = os.path.join(out, debs[0])
    Built.root = os.path.join(ARGS.work, "root")
    run(["dpkg-deb", "-x", Built.deb, Built.root])


def field(name):
    return run(["dpkg-deb", "-f", Built.deb, name]).stdout.strip()


def depends():
    """Depends as (name, operator, version) triples, alternatives flattened."""
    triples = []
    for alternative in re.split(r"[,|]", field("Depends")):
        match = re.fullmatch(r"\s*([a-z0-9][a-z0-9+.-]*)(?::\w+)?\s*(?:\((\S+)\s*([^)]+)\))?\s*",
                             alternative)
        if match is None:
            raise AssertionError(f"unreadable dependency {alternative!r}")
        triples.append((match.group(1), match.group(2), match.group(3)))
    return triples


def dynamic_entries(path):
    """The NEEDED libraries and RUNPATH folders of an ELF file."""
    needed, runpath = [], []
    for line in run(["readelf", "-d", path]).stdout.splitlines():
        value = re.search(r"\[(.*)\]", line)
        if "(NEEDED)" in line:
            needed.append(value.group(1))
        elif "(RUNPATH)" in line or "(RPATH)" in line:
            runpath.extend(value.group(1).split(":"))
    return needed, runpath


def clean_env():
    """No display, no platform chosen, a home of its own."""
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VYLCD_DATA_ROOT",
                          "LD_LIBRARY_PATH", "XDG_DATA_HOME")}
    env["HOME"] = os.path.join(ARGS.work, "home")
    os.makedirs(env["HOME"], exist_ok=True)
    return env


def program(name):
    return os.path.join(Built.root, "usr/bin", name)


class ControlFields(unittest.TestCase):
    def test_names_the_package_its_version_and_this_machine(self):
        self.assertEqual(field("Package"), PACKAGE)
        self.assertEqual(field("Version"), ARGS.version)
        architecture = run(["dpkg", "--print-architecture"]).stdout.strip()
        self.assertEqual(field("Architecture"), architecture)
        self.assertEqual(os.path.basename(Built.deb),
                         f"{PACKAGE}_{ARGS.version}_{architecture}.deb")

    def test_has_maintainer_section_and_description(self):
        self.assertRegex(field("Maintainer"), r"^VYLCD Studio developers <[^\s<>@]+@[^\s<>@]+>$")
        self.assertEqual(field("Section"), "electronics")
        self.assertEqual(field("Priority"), "optional")
        summary, *long_text = field("Description").splitlines()
        self.assertIn("LCD", summary)
        self.assertGreaterEqual(len(long_text), 3, "the long description")
        for line in long_text:
            self.assertTrue(line.startswith(" "), f"unindented description line {line!r}")

    def test_depends_on_the_linked_and_the_loaded(self):
        names = {name for name, _, _ in depends()}
        for name in LINKED + LOADED:
            self.assertIn(name, names)
        self.assertFalse([name for name in names if "vyedit" in name.lower()],
                         "the package's own library is no dependency")

    def test_every_dependency_is_satisfied_by_what_setup_installs(self):
        # scripts/setup installs the same packages, so installing the .deb here
        # would need nothing more: a misspelt or too new dependency fails.
        for name, operator, version in depends():
            query = run(["dpkg-query", "-W", "-f=${Status} ${Version}", name], check=False)
            self.assertEqual(query.returncode, 0, f"{name} is not a package here")
            status, installed = query.stdout.rsplit(" ", 1)
            self.assertTrue(status.endswith("ok installed"), f"{name}: {status}")
            if operator is not None:
                compare = run(["dpkg", "--compare-versions", installed, operator, version],
                              check=False)
                self.assertEqual(compare.returncode, 0, f"{name} {installed} {operator} {version}")


class Contents(unittest.TestCase):
    def listing(self):
        """Path (without "./") to (mode, owner) for every member."""
        entries = {}
        for line in run(["dpkg-deb", "-c", Built.deb]).stdout.splitlines():
            mode, owner, _size, _date, _time, path = line.split(None, 5)
            entries[path.split(" -> ")[0].removeprefix("./").rstrip("/")] = (mode, owner)
        return entries

    def test_ships_programs_library_and_data_under_usr(self):
        entries = self.listing()
        for path in SHIPPED_FILES + [library()]:
            self.assertIn(path, entries)
        for path, (_, owner) in entries.items():
            self.assertTrue(path == "" or path == "usr" or path.startswith("usr/"), path)
            self.assertEqual(owner, "root/root", path)
        for name in ("vylcd-studio", "vylcd-cli", "vylcd-lcdsim"):
            self.assertEqual(entries["usr/bin/" + name][0], "-rwxr-xr-x", name)
        self.assertEqual(entries[SHARE + "/samples/showcase.vyd"][0], "-rw-r--r--")

    def test_leaves_out_what_only_the_build_uses(self):
        for path in self.listing():
            self.assertNotRegex(path, r"(_tests|_bench|vylcd-sketch|\.a|\.h|\.cmake)$", path)

    def test_programs_are_stripped(self):
        for name in ("usr/bin/vylcd-studio", "usr/bin/vylcd-cli", library()):
            description = run(["file", "-b", os.path.join(Built.root, name)]).stdout
            self.assertIn("ELF", description, name)
            self.assertIn(", stripped", description, name)

    def test_desktop_entry_starts_the_studio_with_its_icon(self):
        with open(os.path.join(Built.root, "usr/share/applications/vylcd-studio.desktop"),
                  encoding="utf-8") as entry:
            lines = entry.read().splitlines()
        self.assertIn("Exec=vylcd-studio %f", lines)
        self.assertIn("Icon=vylcd-studio", lines)


class Libraries(unittest.TestCase):
    def test_studio_finds_its_library_beside_it_through_its_runpath(self):
        needed, runpath = dynamic_entries(program("vylcd-studio"))
        self.assertIn("libVyEdit.so", needed)
        self.assertTrue(runpath, "no RUNPATH")
        folders = []
        for entry in runpath:
            # A folder of the build tree would not exist once installed.
            self.assertTrue(entry.startswith("$ORIGIN"), f"RUNPATH {entry}")
            folders.append(os.path.normpath(entry.replace("$ORIGIN", os.path.dirname(
                program("vylcd-studio")))))
        found = [folder for folder in folders
                 if os.path.isfile(os.path.join(folder, "libVyEdit.so"))]
        self.assertEqual(found, [os.path.dirname(os.path.join(Built.root, library()))])

    def test_every_linked_library_resolves_without_overrides(self):
        for path in [program(name) for name in ("vylcd-studio", "vylcd-cli", "vylcd-lcdsim")] + [
                os.path.join(Built.root, library())]:
            listing = run(["ldd", path], env=clean_env()).stdout
            self.assertNotIn("not found", listing, path)
            for line in listing.splitlines():
                resolved = re.match(r"\s*libVyEdit\.so => (\S+)", line)
                if resolved:
                    self.assertEqual(os.path.normpath(resolved.group(1)),
                                     os.path.join(Built.root, library()), path)

    def test_only_the_studio_and_the_library_use_the_shared_library(self):
        for name in ("vylcd-cli", "vylcd-lcdsim"):
            needed, _ = dynamic_entries(program(name))
            self.assertNotIn("libVyEdit.so", needed, name)


class Programs(unittest.TestCase):
    def test_studio_tells_its_version_without_a_display(self):
        result = run([program("vylcd-studio"), "--version"], env=clean_env())
        self.assertEqual(result.stdout, f"VYLCD Studio {ARGS.version}\n")
        self.assertEqual(result.stderr, "")

    def test_cli_answers_help_and_version(self):
        help_text = run([program("vylcd-cli"), "--help"], env=clean_env())
        self.assertTrue(help_text.stdout.startswith("usage: vylcd-cli bytes FILE\n"))
        self.assertEqual(help_text.stderr, "")
        version = run([program("vylcd-cli"), "--version"], env=clean_env())
        self.assertEqual(version.stdout, f"vylcd-cli (VYLCD Studio) {ARGS.version}\n")
        wrong = run([program("vylcd-cli"), "--nonsense"], env=clean_env(), check=False)
        self.assertEqual(wrong.returncode, 2)
        self.assertIn("usage:", wrong.stderr)

    def test_cli_draws_the_shipped_sample_on_the_virtual_module(self):
        sample = os.path.join(Built.root, SHARE, "samples/showcase.vyd")
        commands = run([program("vylcd-cli"), "bytes", sample], env=clean_env()).stdout
        lines = commands.splitlines()
        self.assertEqual(lines[0], "1B 43 4C 00")
        self.assertGreater(len(lines), 10)
        # The module's screen, as the installed tool writes it.
        with tempfile.TemporaryDirectory(dir=ARGS.work) as folder:
            png = os.path.join(folder, "screen.png")
            run([program("vylcd-cli"), "lcd", sample, "--png", png], env=clean_env())
            with open(png, "rb") as picture:
                self.assertEqual(picture.read(8), b"\x89PNG\r\n\x1a\n")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    for option in ("--cpack", "--config", "--work", "--version", "--libdir"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    missing = [tool for tool in TOOLS + [ARGS.cpack] if shutil.which(tool) is None]
    if missing:
        print(f"skipped: {' '.join(missing)} missing")
        return SKIPPED
    ARGS.work = os.path.abspath(ARGS.work)
    program_result = unittest.main(argv=[sys.argv[0]] + rest, exit=False, verbosity=2)
    return 0 if program_result.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
