class CFoo : public CObject
{
public:
CFoo();
int GetA() const { return m_a; }
protected:
int m_a;
};
extern int g_n;
int Twice(int x);
