#include "qt/ChannelImage.h"

#include "qt/ProfileImage.h"
#include "qt/SteppedImage.h"

QImage DrawChannelPicture(const ProfilePictureParts& parts, const ProfileView& view,
                          const double* values, QSize size) {
    SteppedImage image(
        size,
        [&parts, &view, values](PlotCanvas& canvas, std::size_t) {
            DrawChannelLine(canvas, view, values, parts);
            return true;
        },
        [&parts, size](QPainter& painter) { DrawProfileAxes(painter, parts, size); },
        ProfileClip(parts));
    image.Step(view.count);
    return image.Image();
}
