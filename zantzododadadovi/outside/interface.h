// The maker's interface library: the picture button.
#pragma once

#include <BtnST.h>
