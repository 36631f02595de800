#pragma once

#include "app/dynamicqdialog.h"

#include <QStringList>

// Answers the tool's modal dialogs in tests and keeps what they said.
class DialogRecorder
{
public:
    explicit DialogRecorder(int answer = 1) : m_answer(answer)
    {
        DynamicQDialog::setResponder([this](DynamicQDialog &dialog) {
            m_messages << dialog.message();
            m_sizes << dialog.size();
            return m_answer;
        });
    }
    ~DialogRecorder() { DynamicQDialog::setResponder({}); }
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    void setAnswer(int answer) { m_answer = answer; }
    QStringList messages() const { return m_messages; }
    QList<QSize> sizes() const { return m_sizes; }
    void clear()
    {
        m_messages.clear();
        m_sizes.clear();
    }

private:
    int m_answer;
    QStringList m_messages;
    QList<QSize> m_sizes;
};
