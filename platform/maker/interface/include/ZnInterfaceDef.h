// Export macro of the maker's interface library: the modules that use it are built with hidden
// visibility, so every class they reach must be exported explicitly.
#pragma once

#define ZNINTERFACE_API __attribute__((visibility("default")))
