#pragma once

#include "core/MessageBoxes.h"

#include <QList>

namespace vek {

// Answers every message box while it lives, records what was asked, and puts the
// previous presenter back when it goes. Questions take the queued answers in order and
// defaultAnswer when they run out; other boxes are simply acknowledged. OK/Cancel boxes
// count as questions (true for OK). Yes/No/Cancel questions take the queued choices in
// order, then Yes or No as defaultAnswer says.
class MessageAnswerer : public MessagePresenter {
public:
    explicit MessageAnswerer(bool defaultAnswer = true);
    ~MessageAnswerer() override;
    MessageAnswerer(const MessageAnswerer &) = delete;
    MessageAnswerer &operator=(const MessageAnswerer &) = delete;

    void queueAnswer(bool answer) { answers_.append(answer); }
    void queueChoice(MessageChoice choice) { choices_.append(choice); }
    const QList<MessageRequest> &requests() const { return requests_; }
    QStringList texts() const;

    bool present(const MessageRequest &request) override;
    // Counts the beeps instead of sounding them.
    void beep() override { ++beeps_; }
    int beeps() const { return beeps_; }
    MessageChoice choose(const MessageRequest &request) override;

private:
    MessagePresenter *previous_;
    bool defaultAnswer_;
    QList<bool> answers_;
    QList<MessageChoice> choices_;
    QList<MessageRequest> requests_;
    int beeps_ = 0;
};

} // namespace vek
