#include "TileServer.h"

#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

QRgb TileColour(int zoom, int x, int y) {
    return qRgb((x * 47 + zoom * 11) % 256, (y * 83 + 40) % 256, (x * 29 + y * 13 + 90) % 256);
}

QImage GeneratedTile(int zoom, int x, int y, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(TileColour(zoom, x, y));
    QPainter painter(&image);
    painter.drawText(image.rect().adjusted(0, 0, 0, -side / 2), Qt::AlignCenter,
                     QStringLiteral("%1/%2/%3").arg(zoom).arg(x).arg(y));
    return image;
}

TileServer::TileServer() {
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString TileServer::UrlTemplate() const {
    return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(serverPort());
}

void TileServer::OnReadyRead(QTcpSocket* socket) {
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    qsizetype end = 0;
    while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.remove(0, end + 4);
        Request request;
        request.path = QString::fromLatin1(lines.value(0).split(' ').value(1));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
        }
        requests.append(request);
        mostAtOnce = std::max(mostAtOnce, ++m_open);
        emit RequestReceived();
        // A little later, so that requests sent at once overlap here.
        QTimer::singleShot(20, this, [this, socket = QPointer<QTcpSocket>(socket), request] {
            --m_open;
            if (socket) {
                Answer(socket, request.path);
            }
        });
    }
}

void TileServer::Answer(QTcpSocket* socket, const QString& path) {
    const QStringList parts = QString(path).remove(QStringLiteral(".png")).split(u'/');
    QByteArray body;
    QByteArray status = "200 OK";
    if (failing.contains(path) || parts.size() != 4) {
        status = "500 Internal Server Error";
    } else {
        QBuffer buffer(&body);
        buffer.open(QIODevice::WriteOnly);
        GeneratedTile(parts[1].toInt(), parts[2].toInt(), parts[3].toInt()).save(&buffer, "PNG");
    }
    const QDateTime date = QDateTime::currentDateTimeUtc().addSecs(-dateAge);
    const QByteArray httpDate =
        QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1();
    const QByteArray head =
        "HTTP/1.1 " + status + "\r\nContent-Type: image/png\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nDate: " + httpDate
        + (maxAge >= 0 ? "\r\nCache-Control: max-age=" + QByteArray::number(maxAge)
                       : "\r\nExpires: " + httpDate)
        + "\r\n\r\n";
    socket->write(head + body);
}
