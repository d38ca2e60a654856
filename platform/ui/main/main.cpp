// The process entry of a deliverable: runs its one CWinApp object.

#include "platform/ui/AppEntry.h"

int main(int argc, char** argv) { return uw::ui::RunWinApp(argc, argv); }
