struct S {
  S& operator=(const S&) = delete;
  S operator+(const S&) const;
  bool operator<(const S&) const;
  void* operator new(size_t);
  int operator->*(int);
  explicit S(int) noexcept;
  ~S() = default;
  int a : 3, b : 5;
};
