// Catches, while it lives, the links of the web, mail and file schemes that the program asks the desktop to
// open, so that tests see them and no browser, mail program or file manager starts. Main thread.
#pragma once

#include <QObject>
#include <QUrl>

#include <vector>

// Takes the links the program asks the desktop to open, of the schemes it was installed for.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;
    std::vector<QUrl> urls;

public slots:
    void take(const QUrl& url) { urls.push_back(url); }
};
