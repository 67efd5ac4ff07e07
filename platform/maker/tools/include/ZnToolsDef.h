// Export macro of the maker's tools library: the modules that use it are built with hidden
// visibility, so every class and function they reach must be exported explicitly.
#pragma once

#define ZNTOOLS_API __attribute__((visibility("default")))
