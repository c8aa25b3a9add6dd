#include "tests/support/url_catcher.h"

#include <QDesktopServices>

namespace {

constexpr const char* caughtSchemes[] = {"https", "http", "mailto", "file"};

}  // namespace

UrlCatcher::UrlCatcher()
{
    for (const char* scheme : caughtSchemes)
        QDesktopServices::setUrlHandler(scheme, this, "take");
}

UrlCatcher::~UrlCatcher()
{
    for (const char* scheme : caughtSchemes)
        QDesktopServices::unsetUrlHandler(scheme);
}
