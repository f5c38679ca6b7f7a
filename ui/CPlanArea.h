#pragma once

#include <cstddef>
#include <optional>

#include "plot/PlanProjection.h"
#include "ui/CPictureArea.h"

class CProfileWnd;

/// The track from above, with the point under the profile's cursor and the range selection.
class CPlanArea : public CPictureArea {
    Q_OBJECT

public:
    explicit CPlanArea(CProfileWnd& owner);
    ~CPlanArea() override;
    void Invalidate();
    void Settle() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void SizeChanged() override { m_pictureValid = false; }

private:
    CProfileWnd& m_owner;
    std::optional<PlanProjection> m_projection;  // the picture's
};
