// Command that marks the body of a list template, with its distribution and display condition.
#pragma once

void DefineListBody();
