// Geometry.h: points, shapes and a few helpers for a small drawing library.
#ifndef GEOMETRY_H
#define GEOMETRY_H

#include <math.h>
#include "Export.h"

#define GEO_VERSION 3
#define GEO_SQUARE(x) \
    ((x) * (x))

/* Units used by every shape.
   Millimetres unless a shape says otherwise. */
enum Unit { UNIT_MM = 1, UNIT_INCH = 1 << 2 };

extern const char* g_pszGeoName;   // "geometry"
extern int g_nShapeCount;
static double s_dScale = 1.0;

typedef struct tagGEOPOINT {
    double x;
    double y;
} GEOPOINT;

typedef void (*PFNSHAPECALLBACK)(int nShape, void* pData);

class GEO_EXPORT CPoint : public CObject
{
    DECLARE_SERIAL(CPoint)
public:
    CPoint();
    CPoint(double x, double y);
    CPoint(const CPoint& other);
    double Distance(const CPoint& other) const;
    CPoint& operator+=(const CPoint& other);
    bool operator==(const CPoint& other) const { return m_x == other.m_x && m_y == other.m_y; }
    double GetX() const { return m_x; }
    static CPoint Origin();
protected:
    void Normalize(int nDigits = 2);
private:
    double m_x;
    double m_y;
};

struct SRect
{
    CPoint topLeft;
    CPoint bottomRight;
    int Width() const;
    int Height() const;
};

template <class T> class CList
{
public:
    void Add(const T& item);
    int GetCount() const;
private:
    T* m_pItems;
    int m_nCount;
};

class GEO_EXPORT CShape : public CObject, public IDrawable
{
public:
    virtual ~CShape();
    virtual void Draw(CDC* pDC, const CRect& rcClip) = 0;
    virtual double Area() const = 0;
    void SetName(const char* pszName);
    void SetName(const std::string& strName);
protected:
    std::string m_strName;
    static const int s_anDefaults[] = { 1, 2, 3 };
};

GEO_API double Distance(const CPoint& a, const CPoint& b);
GEO_API double Distance(const GEOPOINT& a, const GEOPOINT& b);
static int Clamp(int n, int nMin, int nMax);
inline double Square(double x) { return x * x; }
CShape* CreateShape(const char* pszKind, PFNSHAPECALLBACK pfn = NULL);

#endif
