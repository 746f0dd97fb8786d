#include "support/scripteddialogs.h"

#include <QTest>

namespace testsupport {

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Asked& a : asked_)
        if (a.kind == Kind::Message)
            texts << a.text;
    return texts;
}

bool ScriptedDialogs::take(Kind kind, const QString& what, Answer& answer)
{
    if (script_.isEmpty() || script_.first().kind != kind) {
        QTest::qFail(qPrintable("unexpected dialog \"" + what + "\""), __FILE__, __LINE__);
        return false;
    }
    answer = script_.takeFirst();
    return true;
}

int ScriptedDialogs::msgBoxWithDetails(const QString& text, const QString& details, int style,
                                       const QString& title)
{
    asked_.append({Kind::Message, text, style, title, details});
    if (acceptAll_ && (script_.isEmpty() || script_.first().kind != Kind::Message))
        return platform::mb::buttonsOf(style) >= platform::mb::YesNoCancel ? platform::mb::Yes
                                                                           : platform::mb::Ok;
    Answer answer;
    return take(Kind::Message, text, answer) ? answer.number : platform::mb::Cancel;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    asked_.append({Kind::Input, prompt, 0, title, {}});
    lastInputDefault = defaultText;
    Answer answer;
    return take(Kind::Input, prompt, answer) ? answer.text : QString();
}

QString ScriptedDialogs::fileDialog(Kind kind, platform::FileDialogState& state)
{
    asked_.append({kind, state.title, 0, state.title, {}});
    fileDialogs.append(state);
    Answer answer;
    if (!take(kind, state.title, answer) || answer.text.isEmpty())
        return {};
    state.fileName = answer.text;
    return answer.text;
}

} // namespace testsupport
