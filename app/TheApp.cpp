// The one application object of a deliverable.
#include "app/UchiwakeApp.h"

CUchiwakeApp theApp;
