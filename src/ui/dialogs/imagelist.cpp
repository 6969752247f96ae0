#include "ui/dialogs/imagelist.h"

#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

namespace {
constexpr long ElementNotFound = 35601;
}

void ImageList::Add(const QPixmap& picture, const QString& key)
{
    images_.push_back({key, picture});
}

QPixmap ImageList::Item(const QVariant& indexOrKey) const
{
    if (indexOrKey.typeId() == QMetaType::QString) {
        for (const Image& image : images_)
            if (!image.key.isEmpty() && image.key.compare(indexOrKey.toString(), Qt::CaseInsensitive) == 0)
                return image.picture;
    } else {
        bool ok = false;
        const int index = indexOrKey.toInt(&ok);
        if (ok && index >= 1 && index <= Count())
            return images_[size_t(index - 1)].picture;
    }
    platform::Raise(ElementNotFound, QStringLiteral("Element not found"));
}
