// Command that turns picked texts into template variables with an expression.
#pragma once

void DefineListVariable();
