"""The host's own prompts and messages follow the user's locale: French for a French locale,
English otherwise; the answers a script gives work the same in both."""

import os
import unittest

from hostrun import Sandbox

DRAWING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data", "list_template.dxf")

class HostLanguage(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.addCleanup(self.box.close)

    def run_in(self, locale, script):
        drawing = self.box.copy_drawing(DRAWING)
        return self.box.run(script, drawing=drawing, LC_ALL=locale)

    def test_french_locale(self):
        run = self.run_in("fr_FR.UTF-8", "FOO\nSELECT\nW\n0,100\n200,120\n\n")
        self.assertIn('Commande inconnue "FOO".  Appuyez sur F1 pour obtenir de l\'aide.',
                      run.output)
        self.assertIn("Commande : SELECT", run.output)
        self.assertIn("Choix des objets : W", run.output)
        self.assertIn("Spécifiez le premier coin : 0,100", run.output)
        self.assertIn("Spécifiez le coin opposé : 200,120", run.output)
        self.assertRegex(run.output, r"\d+ trouvé\(s\)")
        self.assertNotIn("Select objects", run.output)
        # Dialogs too are shown and answered in French.
        run = self.run_in("fr_FR.UTF-8", "ZANTLBODY W 0,80 200,100\n\n1214 Annuler\n")
        self.assertIn("Dialogue : Méthode de distribution", run.output)
        self.assertIn("[1] Ok  (bouton, par défaut)", run.output)
        self.assertIn("[1214] Choose filter condition for body lines  (case à cocher, cochée)",
                      run.output)
        self.assertIn("Réponse au dialogue (? pour l'aide) : Annuler", run.output)
        # A wrong answer stops the script with the message in French.
        run = self.run_in("fr_FR.UTF-8", "SELECT\nW\nnulle part\n")
        self.assertEqual(run.returncode, 1, run.output)
        self.assertIn("Point non valide.", run.output)

    def test_english_locale_and_a_failed_save_in_both(self):
        run = self.run_in("en_US.UTF-8", "FOO\nSELECT\nW\n0,100\n200,120\n\n")
        self.assertIn('Unknown command "FOO".  Press F1 for help.', run.output)
        self.assertRegex(run.output, r"\d+ found")
        for locale, expected in (("fr_FR.UTF-8", "Le fichier sur le disque n'a pas changé."),
                                 ("C.UTF-8", "The file on disk is unchanged.")):
            with self.subTest(locale=locale):
                drawing = self.box.copy_drawing(DRAWING)
                run = self.box.run("QSAVE\n", drawing=drawing, LC_ALL=locale,
                                   ZANT_INJECT_FAULT="AcDbDatabase::dxfOut")
                self.assertIn(expected, run.output)
                with open(drawing, "rb") as a, open(DRAWING, "rb") as b:
                    self.assertEqual(a.read(), b.read())


if __name__ == "__main__":
    unittest.main()
