// The page's events reach the program's handlers by number (services/PageElement.cpp): each
// listener the program adds to an element is one of these.
Module["pageListener"] = (id) => (event) => Module["pageEvent"](id, event);
// A promise's failure the program has nothing to say about (a clipboard the page may not use).
Module["pageIgnore"] = () => {};
