"""End-to-end: a teacher installs from the distribution folder and removes
Kovala again, on its own Xvfb with a temporary home.
Usage: setup_e2e.py DISTDIR OUTDIR. A failure leaves
OUTDIR/install_uninstall-failure.png and install_uninstall-output.txt."""
import os
import shutil
import subprocess
import sys

from xdrive import Failure, Session, poll

NAME = "install_uninstall"
LAUNCHERS = ["kovala-kovala-kovala.desktop", "kovala-kovala-readme.desktop",
             "kovala-kovala-un_install_kovala.desktop"]


TYPE = "application/x-kovala-molecule"
PO_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "po")


def languages():
    with open(os.path.join(PO_DIR, "LINGUAS")) as linguas:
        return [line.strip() for line in linguas if line.strip() and not line.startswith("#")]


def german(text):
    sys.path.insert(0, PO_DIR)
    from check_catalogues import ReadCatalogue
    for entry in ReadCatalogue(os.path.join(PO_DIR, "de.po")):
        if entry.msgid == text and entry.context is None:
            return entry.strings[0]
    raise Failure("the German catalogue has no %r" % text)


def catalogue_in_use(pid, path):
    """gettext maps the catalogue it reads into the process."""
    with open("/proc/%d/maps" % pid) as maps:
        return any(line.rstrip("\n").endswith(" " + path) for line in maps)


def query(s, what, argument):
    # Only the home's types and handlers count, not the machine's own.
    system = os.path.join(s.home, "system")
    os.makedirs(system, exist_ok=True)
    env = dict(s.env, XDG_DATA_DIRS=system, XDG_CONFIG_DIRS=system, XDG_CURRENT_DESKTOP="GNOME")
    result = subprocess.run(["xdg-mime", "query", what, argument], env=env, capture_output=True, text=True)
    return result.stdout.strip()


def run_program(s, path, cwd):
    return subprocess.Popen([path], env=s.env, cwd=cwd, stdout=open(s.log_path(), "a"),
                            stderr=subprocess.STDOUT)


def ended(process, what):
    poll(what + " to end", lambda: process.poll() is not None, deadline=30)
    if process.returncode != 0:
        raise Failure("%s ended with %d" % (what, process.returncode))


def scenario(s, dist):
    shutil.rmtree(s.home, ignore_errors=True)
    os.makedirs(s.home)
    s.start_x()
    data = os.path.join(s.home, ".local", "share")
    config = os.path.join(s.home, ".config")
    s.env.update(XDG_DATA_HOME=data, XDG_CONFIG_HOME=config)
    # Xvfb names its display a moment before it takes connections.
    poll("the X server to take connections",
         lambda: subprocess.run(["xwininfo", "-root"], env=s.env, capture_output=True).returncode == 0)
    destination = os.path.join(s.home, "kovala")
    apps = os.path.join(data, "applications")
    menu = os.path.join(config, "menus", "applications-merged", "user-kovala-kovala.menu")

    # Started from a terminal in another folder: the files still come from
    # the installer's own folder, never from the current one.
    documents = os.path.join(s.home, "Documents")
    os.makedirs(documents)
    for name in ["essay.doc", "homework.kvl"]:
        with open(os.path.join(documents, name), "w") as out:
            out.write("a student's " + name)
    installer = run_program(s, os.path.join(dist, "install"), documents)
    options = s.wait_window("Install Options", deadline=30)
    if not os.path.isdir(destination):
        raise Failure("the default directory was not made when the options opened")
    s.focus(options)
    s.key("Return")  # Install
    s.answer_box("Disk Space Available")  # Next
    s.answer_box("Installation Complete")
    ended(installer, "the installer")

    names = sorted(os.listdir(destination))
    for name in ["kovala", "kovala.png", "readme.doc", "uninstall", "kovala.installed", "water.kvl"]:
        if name not in names:
            raise Failure("%s was not installed; found %s" % (name, names))
    for name in ["essay.doc", "homework.kvl"]:
        if name in names:
            raise Failure("%s was copied from the current folder" % name)
    if not os.access(os.path.join(destination, "kovala"), os.X_OK):
        raise Failure("the installed program lost its execute bit")
    catalogues = ["locale/%s/LC_MESSAGES/kovala.mo" % language for language in languages()]
    for name in catalogues:
        installed = os.path.join(destination, name)
        if not os.path.isfile(installed):
            raise Failure("%s was not installed" % name)
        with open(installed, "rb") as a, open(os.path.join(dist, name), "rb") as b:
            if a.read() != b.read():
                raise Failure("%s differs from the distribution's" % name)

    # The installed program speaks German from its own folder's catalogue.
    env = dict(s.env, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8", LANGUAGE="")
    program = subprocess.Popen([os.path.join(destination, "kovala")], env=env, cwd=documents,
                               stdout=open(s.log_path(), "a"), stderr=subprocess.STDOUT)
    try:
        s.wait_window(german("Untitled"), deadline=30)
        own = os.path.realpath(os.path.join(destination, catalogues[languages().index("de")]))
        if not catalogue_in_use(program.pid, own):
            raise Failure("the installed program does not read %s" % own)
    finally:
        program.terminate()
        program.wait(timeout=30)

    launchers = [name for name in sorted(os.listdir(apps)) if name != "mimeinfo.cache"]
    if launchers != LAUNCHERS or not os.path.exists(menu):
        raise Failure("the Kovala menu is not there: %s" % sorted(os.listdir(apps)))

    # A molecule opens with the installed program from the file manager.
    molecule = os.path.join(s.home, "water.kvl")
    shutil.copy(os.path.join(dist, "water.kvl"), molecule)
    if query(s, "filetype", molecule) != TYPE:
        raise Failure("a saved molecule is not of the molecule type")
    if query(s, "default", TYPE) != LAUNCHERS[0]:
        raise Failure("the installed program does not open molecules: %s" % query(s, "default", TYPE))

    # A student's own molecule saved in the installed folder outlives the removal.
    own = os.path.join(destination, "my-own.kvl")
    open(own, "w").close()
    # Started from elsewhere too: it finds the installation beside itself.
    remover = run_program(s, os.path.join(destination, "uninstall"), documents)
    s.answer_box("Un-Install Kovala?")  # Yes
    s.answer_box("Information")
    ended(remover, "the un-installer")

    left = sorted(os.path.relpath(os.path.join(top, name), destination)
                  for top, folders, files in os.walk(destination) for name in folders + files)
    if left != ["my-own.kvl"]:
        raise Failure("left after the removal: %s" % left)
    if os.listdir(apps) or os.path.exists(menu):
        raise Failure("the Kovala menu is still there: %s" % os.listdir(apps))
    if os.path.exists(os.path.join(data, "mime")):
        raise Failure("the molecule type is still there")
    if query(s, "filetype", molecule) == TYPE or query(s, "default", TYPE) == LAUNCHERS[0]:
        raise Failure("molecules still open with the removed program")
    if sorted(os.listdir(documents)) != ["essay.doc", "homework.kvl"]:
        raise Failure("the current folder changed: %s" % sorted(os.listdir(documents)))


def main():
    dist, outdir = sys.argv[1:3]
    s = Session(os.path.join(dist, "install"), outdir, NAME)
    open(s.log_path(), "w").close()
    try:
        scenario(s, dist)
    except Exception as error:  # noqa: BLE001 - every failure leaves its traces
        shot = "%s/%s-failure.png" % (outdir, NAME)
        try:
            s.screenshot(shot)
        except Exception:  # noqa: BLE001
            shot = "(no screenshot)"
        print("FAILED %s: %s\nscreenshot: %s\nprogram output: %s" % (NAME, error, shot, s.log_path()))
        s.stop()
        return 1
    s.stop()
    print("passed", NAME)
    return 0


if __name__ == "__main__":
    sys.exit(main())
