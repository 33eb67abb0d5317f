class ../x { void f(); };
class a\b { int m; };
class .hidden { };
class T<a&b> { void g(); };
class ns::X { void h(); };
class P {
public:
  P& operator/(int d);
  P& operator%(int d);
  P& operator&(int d);
  int Length();
  int length();
};
class P { int dup; };
int (void);
int f#g(int a);
