#pragma once
// Window tests: modal shows are recorded (and answered by a callback) instead
// of blocking.
#include "platform/gui/formbase.h"

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
