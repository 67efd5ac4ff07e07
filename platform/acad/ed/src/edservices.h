// The editor services the library files in the system registry when it loads (edservices.cpp).
#pragma once

class AcEdCommandStack;
class AcEditor;

namespace zacad {

AcEdCommandStack* NewCommandStack();
AcEditor* NewEditor();

}  // namespace zacad
