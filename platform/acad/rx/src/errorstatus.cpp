#include "acadstrc.h"

const ACHAR* acadErrorStatusText(Acad::ErrorStatus status) {
  switch (status) {
#define ZACAD_ERROR_STATUS_TEXT(name, value) \
  case Acad::name:                           \
    return ACRX_T(#name);
    ZACAD_ERROR_STATUSES(ZACAD_ERROR_STATUS_TEXT)
#undef ZACAD_ERROR_STATUS_TEXT
  }
  return ACRX_T("Unknown ErrorStatus");
}
