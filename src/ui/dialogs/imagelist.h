#pragma once
// A caller's set of pictures, looked up by position (counted from 1) or key.
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <vector>

class ImageList {
public:
    void Add(const QPixmap& picture, const QString& key = QString());
    int Count() const { return int(images_.size()); }
    // The picture at a position (a number, counted from 1) or under a key (a
    // text, any letter case); raises 35601 "Element not found" for neither.
    QPixmap Item(const QVariant& indexOrKey) const;

private:
    struct Image {
        QString key;
        QPixmap picture;
    };
    std::vector<Image> images_;
};
