#include "core/model/Geometry.h"

#include <algorithm>
#include <cmath>

namespace plicora {
namespace {

constexpr double kTolerance = 1e-7;

/// Both x values of one segment strictly beyond both of the other, or the
/// same for y: the segments cannot meet.
bool BoxesApart(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4) {
  if (p3.x > p1.x && p3.x > p2.x && p4.x > p1.x && p4.x > p2.x) return true;
  if (p3.x < p1.x && p3.x < p2.x && p4.x < p1.x && p4.x < p2.x) return true;
  if (p3.y > p1.y && p3.y > p2.y && p4.y > p1.y && p4.y > p2.y) return true;
  if (p3.y < p1.y && p3.y < p2.y && p4.y < p1.y && p4.y < p2.y) return true;
  return false;
}

}  // namespace

bool InRange(double a, double b, double c) {
  return std::min(a, b) <= c + kTolerance && c <= std::max(a, b) + kTolerance;
}

bool InBox(const Point2& a, const Point2& b, const Point2& p) {
  return InRange(a.x, b.x, p.x) && InRange(a.y, b.y, p.y);
}

int Orientation(const Point2& p0, const Point2& p1, const Point2& p2) {
  const double ux = p1.x - p0.x, uy = p1.y - p0.y;
  const double wx = p2.x - p0.x, wy = p2.y - p0.y;
  const double k = ux * wy - uy * wx;
  if (k > 0) return 1;
  if (k < 0) return -1;
  if (ux * wx >= 0 && uy * wy >= 0 && wx * wx + wy * wy <= ux * ux + uy * uy) return 2;
  return 0;
}

bool PointInTriangle(const Point2& p, const Point2& t1, const Point2& t2, const Point2& t3) {
  if (p.x < t1.x && p.x < t2.x && p.x < t3.x) return false;
  if (p.x > t1.x && p.x > t2.x && p.x > t3.x) return false;
  if (p.y < t1.y && p.y < t2.y && p.y < t3.y) return false;
  if (p.y > t1.y && p.y > t2.y && p.y > t3.y) return false;
  const int e = Orientation(t1, t2, p);
  const int f = Orientation(t2, t3, p);
  const int g = Orientation(t3, t1, p);
  if (e == 2 || f == 2 || g == 2) return true;
  return (e == 1 && f == 1 && g == 1) || (e == -1 && f == -1 && g == -1);
}

int SegmentIntersection(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4, Point2& x) {
  if (BoxesApart(p1, p2, p3, p4)) return 0;
  const double d = (p1.y - p2.y) * (p4.x - p3.x) - (p3.y - p4.y) * (p2.x - p1.x);
  if (d == 0.0) return 0;
  const double a = p1.x * p2.y - p2.x * p1.y;
  const double b = p3.x * p4.y - p4.x * p3.y;
  x.x = ((p2.x - p1.x) * b - a * (p4.x - p3.x)) / d;
  x.y = ((p1.y - p2.y) * b - (p3.y - p4.y) * a) / (-d);
  return (InBox(p1, p2, x) && InBox(p3, p4, x)) ? 1 : 0;
}

bool SegmentsCross(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4) {
  if (BoxesApart(p1, p2, p3, p4)) return false;
  const double s3 = (p1.y - p2.y) * (p1.x - p3.x) + (p1.x - p2.x) * (p3.y - p1.y);
  const double s4 = (p1.y - p2.y) * (p1.x - p4.x) + (p1.x - p2.x) * (p4.y - p1.y);
  const double s1 = (p3.x - p4.x) * (p1.y - p3.y) + (p3.y - p4.y) * (p3.x - p1.x);
  const double s2 = (p3.y - p4.y) * (p3.x - p2.x) + (p3.x - p4.x) * (p2.y - p3.y);
  return s3 * s4 < 0 && s1 * s2 < 0;
}

double Distance2D(const Point2& a, const Point2& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

double Distance3D(const Point3& a, const Point3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

long long SquaredDistanceInt(const IntPoint& a, const IntPoint& b) {
  const long long dx = static_cast<long long>(a.x) - b.x;
  const long long dy = static_cast<long long>(a.y) - b.y;
  return dx * dx + dy * dy;
}

bool InRect(double x1, double y1, double x2, double y2, double x, double y) {
  return x1 <= x && x <= x2 && y1 <= y && y <= y2;
}

double PointSegmentDistance(const Point2& a, const Point2& b, const Point2& p, double& t) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  if (len2 == 0.0) {
    t = 0.0;
    return Distance2D(a, p);
  }
  t = (dx * (p.x - a.x) + dy * (p.y - a.y)) / len2;
  if (t > 1.0) return Distance2D(b, p);
  if (t < 0.0) return Distance2D(a, p);
  return Distance2D(Point2{a.x + t * dx, a.y + t * dy}, p);
}

Point2 TriangleApex(const Point2& a, const Point2& b, double length, double dB, double dA) {
  if (length == 0.0) return a;
  const double m = (dA * dA + length * length - dB * dB) / (2.0 * length);
  const double q = dA * dA - m * m;
  const double h = q >= 0.0 ? -std::sqrt(q) : 0.0;
  return Point2{a.x + (h * (a.y - b.y) + m * (b.x - a.x)) / length, a.y + (m * (b.y - a.y) + h * (b.x - a.x)) / length};
}

}  // namespace plicora
