// The view class of the docking tests' frame.
#include "support/dockingframe.h"

namespace testsupport
{
IMPLEMENT_DYNCREATE(CDockingTestView, CView)
}
