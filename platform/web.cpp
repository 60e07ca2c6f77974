// Built only for the browser; the desktop build compiles this file to nothing.
#ifdef __EMSCRIPTEN__
#include "platform/web.h"

#include <emscripten.h>

// The JavaScript side lives in web/page.js (Module.kestrel); these only call it.
EM_JS(void, kestrel_file_written, (), {
  if (Module.kestrel) Module.kestrel.fileWritten();
});

EM_JS(void, kestrel_waiting, (int waiting), {
  if (Module.kestrel) Module.kestrel.waiting(waiting != 0);
});

EM_JS(int, kestrel_is_late, (const char* path),
      { return Module.kestrel && Module.kestrel.isLate(UTF8ToString(path)) ? 1 : 0; });

EM_ASYNC_JS(int, kestrel_fetch_late, (const char* path),
            { return await Module.kestrel.fetchLate(UTF8ToString(path)) ? 1 : 0; });

EM_JS(void, kestrel_slept, (unsigned ms, unsigned ticks), {
  if (Module.kestrel) Module.kestrel.slept(ms, ticks);
});

EM_JS(void, kestrel_offer_download, (const char* path), {
  if (Module.kestrel) Module.kestrel.offerDownload(UTF8ToString(path));
});

void WebFileWritten() { kestrel_file_written(); }
void WebWaiting(bool waiting) { kestrel_waiting(waiting ? 1 : 0); }
bool WebIsLate(const std::string& path) { return kestrel_is_late(path.c_str()) != 0; }
bool WebFetchIfLate(const std::string& path) { return WebIsLate(path) && kestrel_fetch_late(path.c_str()) != 0; }
void WebSlept(unsigned ms, unsigned ticks) { kestrel_slept(ms, ticks); }
void WebOfferDownload(const std::string& path) { kestrel_offer_download(path.c_str()); }

#endif
