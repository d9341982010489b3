#include "shell/ui/save_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

namespace tavik {

namespace {
// The file icon and the cell's margins beside the name.
constexpr int kNameCellExtra = 48;
} // namespace

QString askSavePath(QWidget* parent, const QString& title, const QString& proposedPath,
                    const QString& suffix) {
    const QFileInfo proposed(proposedPath);
    QFileDialog dialog(parent, title, proposed.absolutePath(),
                       QStringLiteral("%1 (*.%2)").arg(suffix.toUpper(), suffix));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposed.fileName());
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const int nameWidth =
            list->fontMetrics().horizontalAdvance(proposed.fileName()) + kNameCellExtra;
        const int widthBefore = list->header()->sectionSize(0);
        if (nameWidth > widthBefore) {
            list->header()->resizeSection(0, nameWidth);
            dialog.resize(dialog.sizeHint().width() + nameWidth - widthBefore,
                          dialog.sizeHint().height());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace tavik
