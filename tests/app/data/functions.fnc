; Library of test functions
sq(x) = x^2 ; square

;second comment été
bad line without parens
cube(x)=x^3
h(a,a)=a
   
k(a,b)=a
hyp(a,b)=sqrt(a^2+b^2)
