#include "module/command_table.h"

#include "commands/body_command.h"
#include "commands/footer_part_command.h"
#include "commands/section_commands.h"
#include "resources/resource.h"
#include "variables/variable_command.h"

// Every command accepts a selection made before it starts, and none is transparent.
const std::array<ZANTCommandRow, 8> kZantCommandTable = {{
    {_T("ZANTLHEADER"), IDS_CMD_HEADER, ACRX_CMD_USEPICKSET, DefineListHeader},
    {_T("ZANTLBODY"), IDS_CMD_BODY, ACRX_CMD_USEPICKSET, DefineListBody},
    {_T("ZANTLFOOTER"), IDS_CMD_FOOTER, ACRX_CMD_USEPICKSET, DefineListFooter},
    {_T("ZANTLVARIABLE"), IDS_CMD_VARIABLE, ACRX_CMD_USEPICKSET, DefineListVariable},
    {_T("ZANTLSUBHEADER"), IDS_CMD_SUBHEADER, ACRX_CMD_USEPICKSET, DefineListSubHeader},
    {_T("ZANTLSUBFOOTER"), IDS_CMD_SUBFOOTER, ACRX_CMD_USEPICKSET, DefineListSubFooter},
    {_T("ZANTLFOOTERPART"), IDS_CMD_FOOTERPART, ACRX_CMD_USEPICKSET, DefineListFooterPart},
    {_T("ZANTLPAGEFOOTER"), IDS_CMD_PAGEFOOTER, ACRX_CMD_USEPICKSET, DefineListPageFooter},
}};
