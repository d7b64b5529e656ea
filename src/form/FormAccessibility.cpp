#include "FormAccessibility.h"

#include "FormLabel.h"
#include "PictureBox.h"

#include <QAccessible>
#include <QAccessibleWidget>

using namespace Qt::StringLiterals;

namespace {

class LabelAccessible final : public QAccessibleWidget
{
public:
    explicit LabelAccessible(FormLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    // The role follows the label: its click may be listened to after Qt first asked.
    QAccessible::Role role() const override
    {
        return label()->isClickable() ? QAccessible::Button : QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        if (!label()->isClickable())
            return {};
        return {pressAction(), setFocusAction()};
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            label()->activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    FormLabel* label() const { return static_cast<FormLabel*>(widget()); }
};

class PictureAccessible final : public QAccessibleWidget
{
public:
    explicit PictureAccessible(PictureBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

    QAccessible::Role role() const override
    {
        return static_cast<PictureBox*>(widget())->announces() ? QAccessible::AlertMessage
                                                               : QAccessible::Graphic;
    }
};

QAccessibleInterface* formInterface(const QString& className, QObject* object)
{
    if (className == "FormLabel"_L1)
        return new LabelAccessible(static_cast<FormLabel*>(object));
    if (className == "PictureBox"_L1)
        return new PictureAccessible(static_cast<PictureBox*>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&formInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
