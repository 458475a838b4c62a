#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the file manager while it lives: records the file addresses the program asks the desktop to open.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls();
    ~OpenedUrls() override;

    QList<QUrl> urls;

public slots:
    void open(const QUrl& url);
};
