#pragma once
// Exact-arithmetic tests on 2D and 3D points shared by the topology code, the
// development geometry and the panes. The tolerance 1e-7 is used only by
// InRange (and so InBox).

#include "core/model/Model.h"

namespace plicora {

struct IntPoint {
  int x = 0;
  int y = 0;
};

/// c lies between a and b, with tolerance 1e-7 on both ends.
bool InRange(double a, double b, double c);
/// P lies in the box spanned by A and B (InRange on x and y).
bool InBox(const Point2& a, const Point2& b, const Point2& p);
/// 1: P2 left of P0->P1; -1: right; 2: collinear and on the segment P0-P1;
/// 0: collinear outside it.
int Orientation(const Point2& p0, const Point2& p1, const Point2& p2);
/// P inside the triangle or on one of its sides, for either winding.
bool PointInTriangle(const Point2& p, const Point2& t1, const Point2& t2, const Point2& t3);
/// 1 and the meeting point X when the segments P1-P2 and P3-P4 meet, else 0.
int SegmentIntersection(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4, Point2& x);
/// The segments cross properly (touching or collinear ones do not).
bool SegmentsCross(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4);
double Distance2D(const Point2& a, const Point2& b);
double Distance3D(const Point3& a, const Point3& b);
long long SquaredDistanceInt(const IntPoint& a, const IntPoint& b);
/// x1 <= x <= x2 and y1 <= y <= y2, no tolerance.
bool InRect(double x1, double y1, double x2, double y2, double x, double y);
/// Distance from P to the segment A-B; t receives the projection parameter.
/// A zero-length segment measures the distance to A (t = 0).
double PointSegmentDistance(const Point2& a, const Point2& b, const Point2& p, double& t);
/// Apex of the triangle on base A-B (length L) at distance dA from A and dB
/// from B, on the right-hand side of A->B (y up); on the line when the
/// lengths form no triangle. A zero base gives A.
Point2 TriangleApex(const Point2& a, const Point2& b, double length, double dB, double dA);

}  // namespace plicora
