#pragma once
// Window tests: modal shows are recorded (and answered by a callback) instead
// of blocking.
#include "platform/gui/formbase.h"
#include "platform/screens.h"

#include <QStringList>

class ModalRecorder {
public:
    using Answer = std::function<void(platform::FormBase&)>;
    explicit ModalRecorder(Answer answer = nullptr) : answer_(std::move(answer))
    {
        previous_ = platform::FormBase::setModalHook([this](platform::FormBase& f) {
            shown.append(f.objectName());
            if (answer_)
                answer_(f);
        });
    }
    ~ModalRecorder() { platform::FormBase::setModalHook(previous_); }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    QStringList shown;

private:
    Answer answer_;
    platform::FormBase::ModalHook previous_;
};

// For its lifetime the windows see one screen whose available area is this
// rectangle in pixels.
class OneScreen {
public:
    explicit OneScreen(const QRect& px)
    {
        previous_ = platform::setScreenProvider([px] {
            return std::vector<QRect>{QRect(platform::pxToTwips(px.left()), platform::pxToTwips(px.top()),
                                            platform::pxToTwips(px.width()), platform::pxToTwips(px.height()))};
        });
    }
    ~OneScreen() { platform::setScreenProvider(previous_); }
    OneScreen(const OneScreen&) = delete;
    OneScreen& operator=(const OneScreen&) = delete;

private:
    platform::ScreenProvider previous_;
};
