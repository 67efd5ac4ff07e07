"""The host maps the module, sends it the load and unload messages, and dispatches the commands
it registered; unloading removes them all and loading again brings them back."""

import os
import unittest

from hostrun import ARX, Sandbox

COMMANDS = [  # global name, French local name
    ("ZANTLHEADER", "zantnomtete"),
    ("ZANTLBODY", "zantnomcorps"),
    ("ZANTLFOOTER", "zantnompied"),
    ("ZANTLVARIABLE", "zantnomvar"),
    ("ZANTLSUBHEADER", "zantsoustete"),
    ("ZANTLSUBFOOTER", "zantsouspied"),
    ("ZANTLFOOTERPART", "zantnompiedcomposant"),
    ("ZANTLPAGEFOOTER", "zantlistpagefooter"),
]
ARX_NAME = os.path.basename(ARX)
DEMAND_LOADED = {"ZANTLHEADER", "ZANTLBODY", "ZANTLFOOTER", "ZANTLVARIABLE"}


def unknown(name):
    return 'Unknown command "%s"' % name.upper()  # the host echoes names in capitals


class ModuleLifecycle(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.box.install_prompts("Bin")

    def tearDown(self):
        self.box.close()

    def all_names(self):
        return [n for g, l in COMMANDS for n in (g, l, "_" + g, l.upper(), g.lower())]

    @staticmethod
    def runs(names):
        """Script lines that run each command: the variable command's dialog is cancelled, the
        others end at once without a drawing."""
        return [n + ("\n^C" if n.lstrip("_").upper() in ("ZANTLVARIABLE", "ZANTNOMVAR") else "")
                for n in names]

    def test_commands_by_every_name_then_unload_and_reload(self):
        names = self.all_names()
        # Once unloaded, a name the module listed for demand loading would bring it back: the
        # names that must be unknown are the others.
        gone = [g for g, _ in COMMANDS if g not in DEMAND_LOADED] + [l for _, l in COMMANDS]
        script = "\n".join(
            self.runs(names)
            + ["ARX", "Unload", ARX_NAME]
            + gone
            + ["ARX", "Load", '"%s"' % ARX]
            + self.runs(names)
        )
        run = self.box.run(script)
        self.assertEqual(run.returncode, 0, run.output)
        before, rest = run.output.split("ARX/DBX file name to unload", 1)
        between, after = rest.split("ARX/DBX file name to load", 1)
        for name in names:
            self.assertNotIn(unknown(name), before)
            self.assertNotIn(unknown(name), after)
        for name in gone:
            self.assertIn(unknown(name), between)
        self.assertEqual(run.trace_count("InitApplication"), 2)

    def test_registered_commands_listed_with_their_group(self):
        run = self.box.run("ARX\nCommands\n")
        self.assertEqual(run.returncode, 0, run.output)
        self.assertIn("VRL_LISTUI", run.output)
        for g, l in COMMANDS:
            self.assertIn(g, run.output)
            self.assertIn(l, run.output)

    def test_trace_shows_start_up_and_unload(self):
        run = self.box.run("ARX\nUnload\n%s\n" % ARX_NAME)
        self.assertEqual(run.returncode, 0, run.output)
        self.assertGreaterEqual(run.trace_count("DllMain"), 1)
        self.assertEqual(run.trace_count("acrxEntryPoint"), 2)  # load, unload
        self.assertEqual(run.trace_count("InitApplication"), 1)
        self.assertEqual(run.trace_count("AddCommand"), 8)
        self.assertEqual(run.trace_count("UnloadApplication"), 1)
        order = [l.strip() for l in run.trace if l.strip().startswith(">")]
        self.assertLess(order.index("> InitApplication"), order.index("> AddCommand"))
        self.assertLess(order.index("> AddCommand"), order.index("> UnloadApplication"))

    def test_quitting_sends_the_unload_message(self):
        run = self.box.run("QUIT\n")
        self.assertEqual(run.returncode, 0, run.output)
        self.assertEqual(run.trace_count("UnloadApplication"), 1)

    def test_a_failing_host_call_is_caught_and_reported(self):
        # Every registration fails inside the host: the module's own handler reports each one,
        # the load completes and the host goes on, without the commands.
        run = self.box.run("ZANTLHEADER\nARX\n?\n",
                           ZANT_INJECT_FAULT="AcEdCommandStack::addCommand")
        self.assertEqual(run.returncode, 0, run.output)
        crashes = [l for l in run.trace if "zantzododadadovi.cpp" in l]
        self.assertEqual(len(crashes), 8, "\n".join(run.trace))
        self.assertIn("injected fault", crashes[0])
        self.assertIn(unknown("ZANTLHEADER"), run.output)
        self.assertIn(ARX_NAME, run.output)


if __name__ == "__main__":
    unittest.main()
