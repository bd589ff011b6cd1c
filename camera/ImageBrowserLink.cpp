// The image browser from the camera window.
#include "camera/ImageBrowserLink.h"

void OpenImageBrowser(ui::Window*, DATABASECONTEXT*, int32_t, const std::wstring&,
                      const std::wstring&) {}
