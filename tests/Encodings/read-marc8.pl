#!/usr/bin/perl
# Reads MARC-8 fields with MARC::Charset: standard input holds fields
# separated by «{|}» (no field of the tests holds it); standard output the
# UTF-8 of each, separated the same way, «?» for a field it refuses.
use strict;
use warnings;
use MARC::Charset qw(marc8_to_utf8);

binmode STDOUT, ':utf8';
local $/;
my $input = <STDIN>;
my @out;
for my $field (split /\{\|\}/, $input, -1) {
  my $text = eval { local $SIG{__WARN__} = sub { die @_ }; marc8_to_utf8($field) };
  push @out, defined $text ? $text : '?';
}
print join('{|}', @out);
