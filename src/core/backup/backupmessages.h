#pragma once

#include "backupjob.h"

#include <QString>

// The boxes the backup and the restore show, shared by the two.
namespace qv::backup::messages {

    inline const QString CR = QStringLiteral("\r");

    inline Question info(const QString& title, const QString& text, Question::Buttons buttons = Question::Buttons::Ok)
    {
        return {title, text, Question::Icon::Information, buttons, Question::Answer::Ok};
    }

    // Yes/No/Cancel, No preselected: every such question here deletes files.
    inline Question deleteFiles(const QString& text)
    {
        return {QStringLiteral("Delete Files"),
                text,
                Question::Icon::Question,
                Question::Buttons::YesNoCancel,
                Question::Answer::No};
    }

    inline Question critical(const QString& title, const QString& text)
    {
        return {title, text, Question::Icon::Critical, Question::Buttons::Ok, Question::Answer::Ok};
    }

} // namespace qv::backup::messages
