// Keeps libraries without sources of their own buildable.
