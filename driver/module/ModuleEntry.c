/* The shared module is the static driver code linked whole; this file only
   gives the link step a source of its own. */
