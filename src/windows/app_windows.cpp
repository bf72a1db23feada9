#include "windows/app_windows.h"

#include "windows/window_instances.h"
#include "windows/about/frm_about.h"
#include "windows/batch/frm_multi.h"
#include "windows/main/frm_pass_create.h"

namespace vellumar {

void defineAppWindows(Runtime& runtime)
{
    WindowInstances& windows = runtime.windows;
    windows.define(QStringLiteral("frmPassCreate"), [&runtime] { return new frmPassCreate(runtime); });
    windows.define(QStringLiteral("frmAbout"), [&runtime] { return new frmAbout(runtime); });
    windows.define(QStringLiteral("frmMulti"), [&runtime] { return new frmMulti(runtime); });
}

}  // namespace vellumar
