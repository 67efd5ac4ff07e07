"""The module opens the prompt database of the product's data folder in the user's language, and
falls back to its own French texts when there is none."""

import unittest

from hostrun import ENGLISH, Sandbox

FRENCH_LOCAL = "zantnomtete"
ENGLISH_LOCAL = "ZANTLHEADER"


def unknown(name):
    return 'Unknown command "%s"' % name.upper()  # the host echoes names in capitals


class PromptLanguage(unittest.TestCase):
    def sandbox(self, folder="Vorlane"):
        box = Sandbox(folder)
        self.addCleanup(box.close)
        return box

    def speaks(self, box):
        """Which language the module registered its local command names in."""
        run = box.run("%s\n" % FRENCH_LOCAL)
        self.assertEqual(run.returncode, 0, run.output)
        return "fr" if unknown(FRENCH_LOCAL) not in run.output else "en"

    def test_french_is_the_default(self):
        box = self.sandbox()
        box.install_prompts("Bin")
        self.assertEqual(self.speaks(box), "fr")

    def test_english_from_the_database(self):
        box = self.sandbox()
        box.install_prompts("Bin")
        box.set_language(ENGLISH)
        self.assertEqual(self.speaks(box), "en")
        run = box.run("ARX\nCommands\n")
        self.assertIn(ENGLISH_LOCAL, run.output)

    def test_language_is_cut_to_its_low_16_bits(self):
        box = self.sandbox()
        box.install_prompts("Bin")
        box.set_language(0x7FFF0000 | ENGLISH)
        self.assertEqual(self.speaks(box), "en")

    def test_missing_database_falls_back_to_the_module_texts(self):
        box = self.sandbox()
        box.set_language(ENGLISH)
        self.assertEqual(self.speaks(box), "fr")
        run = box.run("ZANTLHEADER\n_ZANTLFOOTER\n")
        self.assertNotIn("Unknown command", run.output)

    def test_2010_data_folder_keeps_prompts_in_prompts_subfolder(self):
        box = self.sandbox("Vorlane 2010")
        box.install_prompts("Prompts")
        box.set_language(ENGLISH)
        self.assertEqual(self.speaks(box), "en")

    def test_2010_data_folder_ignores_bin(self):
        box = self.sandbox("Data2010x")
        box.install_prompts("Bin")
        box.set_language(ENGLISH)
        self.assertEqual(self.speaks(box), "fr")

    def test_other_data_folder_ignores_prompts_subfolder(self):
        box = self.sandbox("Vorlane 2011")
        box.install_prompts("Prompts")
        box.set_language(ENGLISH)
        self.assertEqual(self.speaks(box), "fr")


if __name__ == "__main__":
    unittest.main()
