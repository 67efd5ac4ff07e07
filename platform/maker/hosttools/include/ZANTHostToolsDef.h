// Export macro of the maker's host tools library: the modules that use it are built with hidden
// visibility, so every function they reach must be exported explicitly.
#pragma once

#define ZANTHOSTTOOLS_API __attribute__((visibility("default")))
