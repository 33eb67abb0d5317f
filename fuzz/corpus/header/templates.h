template <class T, int N = 3> class CArr : public CBase<T>, private IX
{
public:
  CArr() : m_n(0) {}
  virtual ~CArr();
  T& operator[](int i) { return m_p[i]; }
  bool operator()(const T& a, const T& b) const;
  operator bool() const;
  template <class U> void Each(U u) { for (int i = 0; i < N; ++i) { u(m_p[i]); } }
  static const int kMax = 10;
  enum { A, B };
  struct Inner { int x; };
protected:
  T m_p[N];
  int m_n;
  friend class CFriend;
private:
  CArr(const CArr&);
  int (*m_pfn)(int, int);
};
