#include "module/command_table.h"

#include "commands/body_command.h"
#include "commands/footer_part_command.h"
#include "commands/section_commands.h"
#include "resources/resource.h"
#include "variables/variable_command.h"

// Every command accepts a selection made before it starts, and none is transparent. The first four
// are the ones a user types to have the host load the module on demand.
const std::array<ZANTCommandRow, 8> kZantCommandTable = {{
    {_T("ZANTLHEADER"), IDS_CMD_HEADER, ACRX_CMD_USEPICKSET, DefineListHeader, true},
    {_T("ZANTLBODY"), IDS_CMD_BODY, ACRX_CMD_USEPICKSET, DefineListBody, true},
    {_T("ZANTLFOOTER"), IDS_CMD_FOOTER, ACRX_CMD_USEPICKSET, DefineListFooter, true},
    {_T("ZANTLVARIABLE"), IDS_CMD_VARIABLE, ACRX_CMD_USEPICKSET, DefineListVariable, true},
    {_T("ZANTLSUBHEADER"), IDS_CMD_SUBHEADER, ACRX_CMD_USEPICKSET, DefineListSubHeader, false},
    {_T("ZANTLSUBFOOTER"), IDS_CMD_SUBFOOTER, ACRX_CMD_USEPICKSET, DefineListSubFooter, false},
    {_T("ZANTLFOOTERPART"), IDS_CMD_FOOTERPART, ACRX_CMD_USEPICKSET, DefineListFooterPart, false},
    {_T("ZANTLPAGEFOOTER"), IDS_CMD_PAGEFOOTER, ACRX_CMD_USEPICKSET, DefineListPageFooter, false},
}};
