// MFC's application and window layer.
#pragma once

#include "afx.h"
