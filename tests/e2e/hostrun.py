"""Runs the real zanthost on a script, in a sandbox of its own: a fresh registry file, a product
data folder and a trace log, so that a test controls everything the host and the module read."""

import os
import shutil
import subprocess
import tempfile
from dataclasses import dataclass

ZANTHOST = os.environ["ZANTHOST"]
ARX = os.environ["ZANT_ARX"]
REG_TOOL = os.environ["ZANT_REG_TOOL"]
PROMPT_DB = os.environ["ZANT_PROMPT_DB"]

PRODUCT_KEY = r"HKLM\SOFTWARE\ZANT\Vorlane"
HOST_APPLICATIONS = (r"HKEY_LOCAL_MACHINE\SOFTWARE\Autodesk\AutoCAD\R17.1\ACAD-6001:40C"
                     r"\Applications")
FRENCH, ENGLISH = 0x040C, 0x0409


def windows_path(path):
    """The host sees this machine's root as drive Z:, as Wine does."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


@dataclass
class Run:
    returncode: int
    output: str
    trace: list

    def trace_count(self, name):
        """How many trace scopes of this name were entered."""
        return sum(1 for line in self.trace if line.strip() == "> " + name)


class Sandbox:
    """A registry, a data folder and a trace file that live for one test."""

    def __init__(self, data_folder_name="Vorlane"):
        self.root = tempfile.mkdtemp(prefix="zant-e2e-")
        self.registry = os.path.join(self.root, "registry.reg")
        self.trace = os.path.join(self.root, "trace.log")
        self.data = os.path.join(self.root, data_folder_name)
        os.makedirs(self.data)
        self.reg("add", PRODUCT_KEY, "/v", "DataPath", "/t", "REG_SZ", "/d",
                 windows_path(self.data), "/f")

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def env(self, **extra):
        # The host speaks the user's locale: English unless a test asks for another.
        env = dict(os.environ, ZANT_REGISTRY=self.registry, ZN_TRACE=self.trace, LC_ALL="C.UTF-8")
        env.update(extra)
        return env

    def reg(self, *args):
        subprocess.run([REG_TOOL, *args], env=self.env(), check=True, capture_output=True)

    def registry_bytes(self):
        with open(self.registry, "rb") as f:
            return f.read()

    def registry_keys(self):
        """The registry file as {key: {value name: value text}}, read as regedit writes it."""
        text = self.registry_bytes().decode("utf-16")
        keys, current = {}, None
        for line in text.splitlines():
            if line.startswith("[") and line.endswith("]"):
                current = keys.setdefault(line[1:-1], {})
            elif current is not None and line.startswith('"'):
                name, _, value = line[1:].partition('"=')
                current[name] = value
        return keys

    def set_language(self, language):
        self.reg("add", PRODUCT_KEY, "/v", "LanguageUI", "/t", "REG_DWORD", "/d",
                 "0x%x" % language, "/f")

    def install_prompts(self, subfolder):
        """Puts the built prompt database where the product keeps it."""
        folder = os.path.join(self.data, subfolder)
        os.makedirs(folder, exist_ok=True)
        shutil.copy(PROMPT_DB, os.path.join(folder, "QrStrings.mdb"))

    def copy_drawing(self, source, name="drawing.dxf"):
        """A copy of `source` in the sandbox, for a test to change and the host to save."""
        path = os.path.join(self.root, name)
        shutil.copy(source, path)
        return path

    def run(self, script, load=True, drawing=None, **extra_env):
        """Runs a fresh host on the script, with `drawing` open when given; load=False starts it
        without --load."""
        path = os.path.join(self.root, "run.scr")
        with open(path, "w", encoding="utf-8") as f:
            f.write(script if script.endswith("\n") else script + "\n")
        args = [ZANTHOST] + (["--load", ARX] if load else []) + ["--script", path]
        if drawing is not None:
            args.append(drawing)
        if os.path.exists(self.trace):
            os.remove(self.trace)
        done = subprocess.run(args, env=self.env(**extra_env), capture_output=True, text=True,
                              timeout=60, stdin=subprocess.DEVNULL)
        trace = []
        if os.path.exists(self.trace):
            with open(self.trace, encoding="utf-8") as f:
                trace = f.read().splitlines()
        return Run(done.returncode, done.stdout + done.stderr, trace)
