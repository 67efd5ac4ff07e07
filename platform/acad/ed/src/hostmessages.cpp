#include "zacad/hostmessages.h"

#include <cstdlib>
#include <cstring>

#include "windows.h"

namespace zacad {
namespace {

struct Entry {
  Msg id;
  const char16_t* english;
  const char16_t* french;
};

// The French texts are those a French edition of the host shows, typography included (a space
// before a colon).
constexpr Entry kMessages[] = {
    {Msg::kCommandPrompt, u"\nCommand: ", u"\nCommande : "},
    {Msg::kUnknownCommand, u"\nUnknown command \"%1\".  Press F1 for help.\n",
     u"\nCommande inconnue \"%1\".  Appuyez sur F1 pour obtenir de l'aide.\n"},
    {Msg::kCancel, u"*Cancel*\n", u"*Annuler*\n"},
    {Msg::kInputEnded, u"Input ended while a command was waiting for an answer.",
     u"L'entrée s'est terminée alors qu'une commande attendait une réponse."},
    {Msg::kNotTransparent, u"\n** That command may not be invoked transparently **\n",
     u"\n** Cette commande ne peut pas être utilisée de manière transparente **\n"},
    {Msg::kDocumentLocked, u"\n** The drawing is locked by another operation **\n",
     u"\n** Le dessin est verrouillé par une autre opération **\n"},
    {Msg::kSelectObjects, u"\nSelect objects: ", u"\nChoix des objets : "},
    {Msg::kRemoveObjects, u"\nRemove objects: ", u"\nSupprimer des objets : "},
    {Msg::kFirstCorner, u"\nSpecify first corner: ", u"\nSpécifiez le premier coin : "},
    {Msg::kOppositeCorner, u"\nSpecify opposite corner: ", u"\nSpécifiez le coin opposé : "},
    {Msg::kFound, u"%1 found", u"%1 trouvé(s)"},
    {Msg::kRemovedTotal, u", %1 removed, %2 total", u", %1 supprimé(s), %2 au total"},
    {Msg::kDuplicates, u" (%1 duplicate)", u" (%1 en double)"},
    {Msg::kTotal, u", %1 total", u", %1 au total"},
    {Msg::kInvalidSelection, u"*Invalid selection*\n", u"*Choix incorrect*\n"},
    {Msg::kSelectionUndone, u"\nEverything has been undone\n", u"\nTout a été annulé\n"},
    {Msg::kSecondPoint, u"\nSpecify second point: ", u"\nSpécifiez le deuxième point : "},
    {Msg::kInvalidPoint, u"Invalid point.", u"Point non valide."},
    {Msg::kNeedDistanceOrTwoPoints, u"Requires numeric distance or two points.",
     u"Nécessite une distance numérique ou deux points."},
    {Msg::kNeedDistanceOrSecondPoint, u"Requires numeric distance or second point.",
     u"Nécessite une distance numérique ou un deuxième point."},
    {Msg::kNeedAngleOrSecondPoint, u"Requires valid numeric angle or second point.",
     u"Nécessite un angle numérique valide ou un deuxième point."},
    {Msg::kNeedInteger, u"Requires an integer value", u"Nécessite une valeur entière"},
    {Msg::kNeedReal, u"Requires numeric value", u"Nécessite une valeur numérique"},
    {Msg::kInvalidKeyword, u"Invalid option keyword.", u"Mot-clé d'option non valide."},
    {Msg::kPositiveNonzero, u"Value must be positive and nonzero.",
     u"La valeur doit être positive et non nulle."},
    {Msg::kNonzero, u"Value must be nonzero.", u"La valeur doit être non nulle."},
    {Msg::kPositive, u"Value must be positive.", u"La valeur doit être positive."},
    {Msg::kNoDrawing, u"\nNo drawing is open.\n", u"\nAucun dessin n'est ouvert.\n"},
    {Msg::kYesNoKeywords, u"Yes No", u"Oui Non _ Yes No"},
    {Msg::kChangedOnDisk,
     u"\n%1 was changed by another program since it was opened. Overwrite it? [Yes/No] <No>: ",
     u"\n%1 a été modifié par un autre programme depuis son ouverture. L'écraser ? "
     u"[Oui/Non] <Non> : "},
    {Msg::kNotSaved, u"\nDrawing not saved.\n", u"\nDessin non enregistré.\n"},
    {Msg::kCannotSave, u"\nCannot save %1: %2\nThe file on disk is unchanged.\n",
     u"\nImpossible d'enregistrer %1 : %2\nLe fichier sur le disque n'a pas changé.\n"},
    {Msg::kCannotOpen, u"\nCannot open %1\n", u"\nImpossible d'ouvrir %1\n"},
    {Msg::kOpenPrompt, u"\nEnter name of drawing to open: ",
     u"\nEntrez le nom du dessin à ouvrir : "},
    {Msg::kSaveAsPrompt, u"\nSave drawing as <%1>: ", u"\nEnregistrer le dessin sous <%1> : "},
    {Msg::kReplacePrompt, u"\nA drawing with this name already exists. Replace it? [Yes/No] <No>: ",
     u"\nUn dessin de ce nom existe déjà. Le remplacer ? [Oui/Non] <Non> : "},
    {Msg::kSaveChangesPrompt, u"\nSave changes to %1? [Yes/No] <Yes>: ",
     u"\nEnregistrer les modifications apportées à %1 ? [Oui/Non] <Oui> : "},
    {Msg::kNothingToUndo, u"\nNothing to undo.\n", u"\nRien à annuler.\n"},
    {Msg::kEverythingUndone, u"\nEverything has been undone.\n", u"\nTout a été annulé.\n"},
    {Msg::kUndoPrompt, u"\nEnter the number of operations to undo or [Back] <1>: ",
     u"\nEntrez le nombre d'opérations à annuler ou [Retour] <1> : "},
    {Msg::kNeedPositiveOrBack, u"\nRequires a positive integer or Back.\n",
     u"\nNécessite un entier positif ou Retour.\n"},
    {Msg::kDialogCaption, u"\nDialog: %1\n", u"\nDialogue : %1\n"},
    {Msg::kDialogAnswer, u"\nDialog answer (? for help): ",
     u"\nRéponse au dialogue (? pour l'aide) : "},
    {Msg::kDialogHelp,
     u"Type a control's label or id to click it, any other text to type it into the edit box "
     u"(id=text for another edit box), id:n to click item n of a list (id::n to double-click "
     u"it), Enter for the default button, Esc to cancel, ? to show the dialog again.",
     u"Tapez le libellé ou le numéro d'un contrôle pour cliquer dessus, tout autre texte pour le "
     u"saisir dans la zone d'édition (numéro=texte pour une autre zone), numéro:n pour cliquer "
     u"sur l'élément n d'une liste (numéro::n pour un double-clic), Entrée pour le bouton par "
     u"défaut, Échap pour annuler, ? pour revoir le dialogue."},
    {Msg::kNoControl, u"No control \"%1\" to click in this dialog. ",
     u"Aucun contrôle \"%1\" à cliquer dans ce dialogue. "},
    {Msg::kDisabled, u"\"%1\" is disabled.", u"\"%1\" est désactivé."},
    {Msg::kPictureButton, u"picture button", u"bouton image"},
    {Msg::kOwnerDrawnButton, u"owner-drawn button", u"bouton dessiné"},
    {Msg::kRadioButton, u"radio button", u"bouton radio"},
    {Msg::kCheckBox, u"check box", u"case à cocher"},
    {Msg::kGroup, u"group", u"groupe"},
    {Msg::kPushButton, u"push button", u"bouton"},
    {Msg::kEditBox, u"edit box", u"zone d'édition"},
    {Msg::kText, u"text", u"texte"},
    {Msg::kListBox, u"list box", u"liste"},
    {Msg::kPressed, u"pressed", u"enfoncé"},
    {Msg::kReleased, u"released", u"relâché"},
    {Msg::kChecked, u"checked", u"cochée"},
    {Msg::kIndeterminate, u"indeterminate", u"indéterminée"},
    {Msg::kUnchecked, u"unchecked", u"non cochée"},
    {Msg::kDefault, u"default", u"par défaut"},
    {Msg::kDisabledState, u"disabled", u"désactivé"},
};

LANGID FromLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0')
      return std::strncmp(value, "fr", 2) == 0 ? MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)
                                               : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  }
  return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

LANGID g_language = 0;

}  // namespace

LANGID HostLanguage() {
  if (g_language == 0)
    g_language = FromLocale();
  return g_language;
}

void SetHostLanguage(LANGID language) {
  g_language = language;
}

std::u16string Message(Msg id, std::initializer_list<std::u16string_view> args) {
  const bool french = PRIMARYLANGID(HostLanguage()) == LANG_FRENCH;
  std::u16string_view text;
  for (const Entry& entry : kMessages) {
    if (entry.id == id)
      text = french ? entry.french : entry.english;
  }
  std::u16string result;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t index = i + 1 < text.size() ? size_t(text[i + 1] - u'1') : args.size();
    if (text[i] == u'%' && index < args.size()) {
      result += args.begin()[index];
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace zacad
