"""The module records itself for the host's demand loading, and the host uses what it wrote:
a fresh host loads the module when a listed command is typed. The module's menu group is loaded
and its toolbar shown until the host manages to show it once."""

import os
import stat
import unittest

from hostrun import ARX, HOST_APPLICATIONS, Sandbox, windows_path

APP_KEY = HOST_APPLICATIONS + "\\ZANTZoDodAdadOvi"
LISTED = ["ZANTLHEADER", "ZANTLBODY", "ZANTLFOOTER", "ZANTLVARIABLE"]
NOT_LISTED = ["ZANTLSUBHEADER", "ZANTLSUBFOOTER", "ZANTLFOOTERPART", "ZANTLPAGEFOOTER"]


def unknown(name):
    return 'Unknown command "%s"' % name.upper()


def quoted(text):
    return '"%s"' % text.replace("\\", "\\\\")


class HostIntegration(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.box.install_prompts("Bin")
        self.addCleanup(self.box.close)

    def test_load_records_exactly_the_demand_load_entries(self):
        run = self.box.run("QUIT\n")
        self.assertEqual(run.returncode, 0, run.output)
        keys = self.box.registry_keys()
        module = quoted(windows_path(ARX))
        self.assertEqual(keys[APP_KEY + "\\Loader"], {"MODULE": module})
        self.assertEqual(keys[APP_KEY + "\\Name"], {"ZANTZoDodAdadOvi": '"ZANTZoDodAdadOvi"'})
        self.assertEqual(keys[APP_KEY + "\\Groups"], {"ZANTListGen": '"ZANTListGen"'})
        self.assertEqual(keys[APP_KEY + "\\Commands"], {n: '"%s"' % n for n in LISTED})
        # The host's own entries stand beside them: on command and on request, from this file.
        self.assertEqual(keys[APP_KEY]["LOADCTRLS"], "dword:0000000c")
        self.assertEqual(keys[APP_KEY]["LOADER"], module)
        below = sorted(k for k in keys if k.startswith(APP_KEY + "\\"))
        self.assertEqual(len(below), 4, below)

        before = self.box.registry_bytes()
        self.assertEqual(self.box.run("QUIT\n").returncode, 0)
        self.assertEqual(self.box.registry_bytes(), before)

    def test_fresh_host_loads_the_module_for_a_listed_command(self):
        self.assertEqual(self.box.run("QUIT\n").returncode, 0)
        run = self.box.run("ZANTLFOOTER\nARX\n?\n", load=False)
        self.assertEqual(run.returncode, 0, run.output)
        self.assertNotIn(unknown("ZANTLFOOTER"), run.output)
        self.assertIn(os.path.basename(ARX), run.output)
        self.assertEqual(run.trace_count("InitApplication"), 1)
        for name in NOT_LISTED:
            run = self.box.run(name + "\n", load=False)
            self.assertIn(unknown(name), run.output)
            self.assertEqual(run.trace_count("InitApplication"), 0)

    def test_read_only_registry_changes_nothing_and_the_module_works(self):
        os.chmod(self.box.registry, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        before = self.box.registry_bytes()
        run = self.box.run("ZANTLHEADER\nzantnomtete\nMENU\n")
        self.assertEqual(run.returncode, 0, run.output)
        self.assertNotIn("Unknown command", run.output)
        self.assertEqual(self.box.registry_bytes(), before)
        self.assertEqual(run.trace_count("RegisterArxApp"), 1)

    def test_toolbar_is_asked_for_until_shown_once(self):
        run = self.box.run("ZANTLHEADER\nZANTLHEADER\nMENU\n")
        self.assertEqual(run.returncode, 0, run.output)
        # Once at load, once at the end of the first command, never after it succeeded.
        self.assertEqual(run.trace_count("ZANTAcadSystemTools::ShowToolbar"), 2)
        self.assertEqual(run.trace_count("ZANTZododAdadOviEditorReactor::commandEnded"), 3)
        self.assertIn("ZANTLISTGEN", run.output)
        self.assertIn("ZANT_LISTS", run.output)

    def test_a_closed_toolbar_stays_closed_and_its_buttons_run_commands(self):
        run = self.box.run("BUTTON\nZANT_LISTS\nZANTLFOOTER\n"
                           "-TOOLBAR\nZANTLISTGEN.ZANT_LISTS\nHide\nZANTLHEADER\nMENU\n")
        self.assertEqual(run.returncode, 0, run.output)
        self.assertIn("_ZANTLFOOTER", run.output)
        self.assertNotIn("Unknown command", run.output)
        self.assertEqual(run.trace_count("ZANTAcadSystemTools::ShowToolbar"), 2)
        menu = run.output[run.output.rindex("Command: MENU"):]
        self.assertRegex(menu, r"ZANT_LISTS.*hidden")


if __name__ == "__main__":
    unittest.main()
