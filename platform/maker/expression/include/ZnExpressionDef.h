// Export macro of the maker's expression library: the modules that use it are built with hidden
// visibility, so every class they reach must be exported explicitly.
#pragma once

#define ZNEXPRESSION_API __attribute__((visibility("default")))
