// Command that groups footer objects into a footer part tied to its master text.
#pragma once

void DefineListFooterPart();
