// Commands that mark the simple sections of a list template: header, second-level header,
// footer, second-level footer and page footer. Each asks for one selection and tags it.
#pragma once

void DefineListHeader();
void DefineListSubHeader();
void DefineListFooter();
void DefineListSubFooter();
void DefineListPageFooter();
