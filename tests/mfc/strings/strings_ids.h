// String identifiers of the test resource module.
#pragma once

#define IDS_GREETING 101
#define IDS_PATH_FORMAT 102
#define IDS_FRENCH_ONLY 103
#define IDS_LONG 120  // alone in its block of 16, which has no English version
