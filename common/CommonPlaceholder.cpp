// Replaced by the widget layer.
