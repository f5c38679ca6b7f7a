#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

/// The colour of the generated tile z/x/y, distinct for every tile of a test.
QRgb TileColour(int zoom, int x, int y);
/// A tile of that colour that shows its z/x/y as text.
QImage GeneratedTile(int zoom, int x, int y, int side = 256);

/// A tile server on the loopback interface speaking enough HTTP/1.1 for the tile fetcher:
/// GET /z/x/y.png answers a generated PNG after a short delay, with Cache-Control max-age (or
/// an Expires of its Date) and a Date; the paths listed in failing answer 500. It logs every
/// request.
class TileServer : public QTcpServer {
    Q_OBJECT

public:
    struct Request {
        QString path;
        QHash<QByteArray, QByteArray> headers;  // names in lower case
    };

    TileServer();
    QString UrlTemplate() const;  // http://127.0.0.1:PORT/{z}/{x}/{y}.png

    QList<Request> requests;
    int mostAtOnce = 0;  // requests received and not yet answered, at most
    int maxAge = 3600;   // seconds; below 0: expired when sent
    qint64 dateAge = 0;  // seconds the Date header lies in the past
    QSet<QString> failing;

signals:
    void RequestReceived();

private:
    void OnReadyRead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const QString& path);

    QHash<QTcpSocket*, QByteArray> m_pending;
    int m_open = 0;
};
