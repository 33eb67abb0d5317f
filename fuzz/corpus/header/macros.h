class GEO_EXPORT CX : public CObject
{
  DECLARE_SERIAL(CX)
  DECLARE_MESSAGE_MAP()
public:
  GEO_API void F() const;
  afx_msg void OnX(UINT n);
};
GEO_API int Top(int (DEFAULT));
