// mqx-icon: writes the application icon for the desktop into a hicolor theme folder, as
// SVG and as PNG at the sizes menus and launchers ask for. Run by the build.

#include "graphs/application_icon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QTextStream err(stderr);
    if (argc != 3) {
        err << "Usage: mqx-icon THEME_FOLDER ICON_NAME\n";
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    const auto fail = [&err](const QString& path) {
        err << "mqx-icon: cannot write " << path << '\n';
        return 1;
    };

    const QString svgPath = theme.filePath(QStringLiteral("scalable/apps/%1.svg").arg(name));
    QDir().mkpath(QFileInfo(svgPath).path());
    QFile svg(svgPath);
    if (!svg.open(QIODevice::WriteOnly) || svg.write(mqx::ApplicationIconSvg()) < 0)
        return fail(svgPath);

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            theme.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(name));
        QDir().mkpath(QFileInfo(path).path());
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        mqx::PaintApplicationIcon(painter, size);
        painter.end();
        if (!image.save(path, "PNG"))
            return fail(path);
    }
    return 0;
}
