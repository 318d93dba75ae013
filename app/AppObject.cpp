// The one application object; the framework's entry point runs it. Kept out of the
// app library so that tests can link the dialog without it.
#include "app/SplitterApp.h"

CSplitterApp theApp;
